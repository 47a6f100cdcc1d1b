// The surface from below: three tiling normal maps (swell, chop, ripples) scrolling at their
// own speeds bend the view of the sunlit surface texture; looking up steeply one sees the bright
// sky window, at grazing angles the water's own green-blue mirrored back. Light 0 (the lamp)
// adds glints. As on the seabed, the colour is left unfogged and the nearness goes in alpha for
// the outline pass; the surface is brighter than the ground so that it still reads as light
// through the water after that pass has dimmed it.
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

const vec3 MIRROR = vec3(0.09, 0.36, 0.42);
const vec3 WINDOW = vec3(0.75, 0.95, 1.0);
// The surface picture's mean colour, which its pattern blurs into far away.
const vec3 SKY_AVERAGE = vec3(0.1, 0.3, 0.42);
// The surface fades a little slower than the ground: light comes through it.
const float FOG = 0.024;

vec3 unpack(vec4 texel) { return texel.xyz * 2.0 - 1.0; }

void main() {
  vec2 st = surfaceCoord * 6.0;
  vec3 swell = unpack(texture2D(tex0, st + vec2(scroll0, scroll0 * 0.6)));
  vec3 chop = unpack(texture2D(tex1, st * 2.0 + vec2(scroll1 * 0.4, scroll1)));
  vec3 ripples = unpack(texture2D(tex2, st * 4.0 + vec2(scroll2, -scroll2 * 0.7)));
  // Far off the ripples and the sunlit pattern are finer than a pixel: they calm down to the
  // plain surface there instead of flickering (the normal maps have no mipmaps).
  float calm = smoothstep(3.0, 18.0, length(eyePosition));
  vec3 bump = normalize(mix(swell + chop * 0.6 + ripples * 0.35, vec3(0.0, 0.0, 1.0), calm));

  // The mesh normal faces down towards the viewer; tilt it by the map's slopes.
  vec3 base = normalize(eyeNormal);
  vec3 tangent = normalize(vec3(gl_ModelViewMatrix * vec4(1.0, 0.0, 0.0, 0.0)));
  vec3 bitangent = normalize(cross(base, tangent));
  vec3 n = normalize(base * bump.z + tangent * bump.x + bitangent * bump.y);

  vec3 v = normalize(-eyePosition);
  float steep = clamp(dot(v, n), 0.0, 1.0);
  // Inside a window of about 49 degrees the sky shows through; outside, the water mirrors itself.
  float window = smoothstep(0.3, 0.75, steep);
  vec3 sky = mix(texture2D(tex3, surfaceCoord * 3.0 + bump.xy * 0.05).rgb, SKY_AVERAGE, calm);
  vec3 mirror = MIRROR * (0.7 + 0.6 * smoothstep(0.0, 0.3, steep)) + sky * 0.35;
  vec3 colour = mix(mirror, WINDOW * (0.5 + sky), window);

  vec3 toLight = gl_LightSource[0].position.xyz - eyePosition;
  float distance = length(toLight);
  vec3 l = toLight / max(distance, 0.0001);
  float attenuation = 1.0 / max(gl_LightSource[0].constantAttenuation +
                                    gl_LightSource[0].linearAttenuation * distance +
                                    gl_LightSource[0].quadraticAttenuation * distance * distance, 0.25);
  float glint = pow(max(dot(reflect(-l, n), v), 0.0), 32.0) * (1.0 - calm);
  colour += attenuation * (glint * gl_LightSource[0].specular.rgb + 0.3 * max(dot(n, l), 0.0) * gl_LightSource[0].diffuse.rgb);

  gl_FragColor = vec4(colour, exp(-FOG * length(eyePosition)));
}
