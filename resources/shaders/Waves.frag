// The surface from below: three tiling normal maps (swell, chop, ripples) scrolling at their
// own speeds bend the view of the sunlit surface texture; looking up steeply one sees the bright
// sky window, at grazing angles the mirrored dark water. Light 0 (the lamp) adds glints.
uniform sampler2D tex0;
uniform sampler2D tex1;
uniform sampler2D tex2;
uniform sampler2D tex3;
uniform float scroll0;
uniform float scroll1;
uniform float scroll2;

varying vec2 surfaceCoord;
varying vec3 eyePosition;
varying vec3 eyeNormal;

const vec3 WATER = vec3(0.0, 0.025, 0.04);
const vec3 DEEP = vec3(0.01, 0.05, 0.08);

vec3 unpack(vec4 texel) { return texel.xyz * 2.0 - 1.0; }

void main() {
  vec2 st = surfaceCoord * 6.0;
  vec3 swell = unpack(texture2D(tex0, st + vec2(scroll0, scroll0 * 0.6)));
  vec3 chop = unpack(texture2D(tex1, st * 2.0 + vec2(scroll1 * 0.4, scroll1)));
  vec3 ripples = unpack(texture2D(tex2, st * 4.0 + vec2(scroll2, -scroll2 * 0.7)));
  vec3 bump = normalize(swell + chop * 0.6 + ripples * 0.35);

  // The mesh normal faces down towards the viewer; tilt it by the map's slopes.
  vec3 base = normalize(eyeNormal);
  vec3 tangent = normalize(vec3(gl_ModelViewMatrix * vec4(1.0, 0.0, 0.0, 0.0)));
  vec3 bitangent = normalize(cross(base, tangent));
  vec3 n = normalize(base * bump.z + tangent * bump.x + bitangent * bump.y);

  vec3 v = normalize(-eyePosition);
  float steep = clamp(dot(v, n), 0.0, 1.0);
  // Outside the window of about 49 degrees the surface mirrors the deep water.
  float window = smoothstep(0.35, 0.75, steep);
  vec3 sky = texture2D(tex3, surfaceCoord * 3.0 + bump.xy * 0.04).rgb;
  vec3 colour = mix(DEEP + sky * 0.3, sky * sky * 2.2 + vec3(0.05, 0.12, 0.16), window);

  vec3 toLight = gl_LightSource[0].position.xyz - eyePosition;
  float distance = length(toLight);
  vec3 l = toLight / max(distance, 0.0001);
  float attenuation = 1.0 / max(gl_LightSource[0].constantAttenuation +
                                    gl_LightSource[0].linearAttenuation * distance +
                                    gl_LightSource[0].quadraticAttenuation * distance * distance, 0.25);
  float glint = pow(max(dot(reflect(-l, n), v), 0.0), 32.0);
  colour += attenuation * (glint * gl_LightSource[0].specular.rgb + 0.3 * max(dot(n, l), 0.0) * gl_LightSource[0].diffuse.rgb);

  float fog = clamp(1.0 - exp(-0.02 * length(eyePosition)), 0.0, 1.0);
  gl_FragColor = vec4(mix(colour, WATER, fog), 1.0);
}
