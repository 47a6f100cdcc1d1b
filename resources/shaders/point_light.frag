// Seabed lit by light 0 treated as a point (the demo puts it at the eye: a diver's lamp), with
// the fixed-function material, and by the sun from above, whose light the wavy surface gathers
// into a slowly moving net of caustics (their waves come from the vertex stage). The colour is
// left unfogged for the outline pass, which needs to know how lit a face is; the nearness goes
// in alpha, and the outline pass lets the water swallow what is far.
varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 groundNormal;
varying vec2 causticWaves;

const vec3 ROCK = vec3(0.56, 0.62, 0.6);
const vec3 SUN = vec3(0.55, 0.85, 0.95);
// Nearness falls by e every 1 / FOG units of water.
const float FOG = 0.03;

// The net of light that a wavy surface focuses onto the ground: bright where a wave sum
// crosses zero, soft enough that the outline pass takes it for shading rather than an edge.
float causticLine(float waves) {
  float ridge = clamp(1.0 - abs(waves) * 0.6, 0.0, 1.0);
  return ridge * ridge * ridge;
}

void main() {
  vec3 n = normalize(eyeNormal);
  vec3 toLight = gl_LightSource[0].position.xyz - eyePosition;
  float distance = length(toLight);
  vec3 l = toLight / max(distance, 0.0001);
  vec3 v = normalize(-eyePosition);
  float attenuation = 1.0 / max(gl_LightSource[0].constantAttenuation +
                                    gl_LightSource[0].linearAttenuation * distance +
                                    gl_LightSource[0].quadraticAttenuation * distance * distance, 0.25);
  float diffuse = max(dot(n, l), 0.0);
  float specular = diffuse > 0.0 ? pow(max(dot(reflect(-l, n), v), 0.0), gl_FrontMaterial.shininess) : 0.0;
  vec3 lamp = gl_FrontMaterial.ambient.rgb * gl_LightSource[0].ambient.rgb +
              attenuation * (diffuse * gl_FrontMaterial.diffuse.rgb * gl_LightSource[0].diffuse.rgb +
                             specular * gl_FrontMaterial.specular.rgb * gl_LightSource[0].specular.rgb);

  // Ground facing up catches the sun and its caustics; walls stay in the shade.
  float up = clamp(normalize(groundNormal).y, 0.0, 1.0);
  float caustic = causticLine(causticWaves.x) * 0.7 + causticLine(causticWaves.y) * 0.4;
  float sun = 0.16 + up * up * (0.45 + 0.45 * caustic);
  vec3 lit = ROCK * (sun * SUN + 0.8 * lamp);

  gl_FragColor = vec4(lit, exp(-FOG * length(eyePosition)));
}
