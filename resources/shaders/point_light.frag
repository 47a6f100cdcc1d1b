// Seabed lit by light 0 treated as a point (the demo puts it at the eye: a diver's lamp), with
// the fixed-function material, sunlight caustics that move with wave_time, and the water's
// colour swallowing whatever is far away.
uniform float wave_time;

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 groundPosition;
varying vec3 groundNormal;

const vec3 WATER = vec3(0.0, 0.025, 0.04);
const vec3 SAND = vec3(0.62, 0.58, 0.46);

// Bright lines where two warped wave trains cancel: the net of light that a wavy surface
// focuses onto the ground.
float causticNet(vec2 p, float t) {
  vec2 warp = p + 0.7 * vec2(sin(p.y * 0.9 + t * 0.7), sin(p.x * 0.8 - t * 0.6));
  float waves = sin(warp.x * 1.7 + t) + sin(warp.y * 1.9 - t * 1.1) + sin((warp.x - warp.y) * 1.3 + t * 0.6);
  return pow(clamp(1.0 - abs(waves) * 0.55, 0.0, 1.0), 6.0);
}

float caustics(vec2 ground, float t) {
  float coarse = causticNet(ground * 0.45, t);
  float fine = causticNet(ground * 0.9 + vec2(3.1, 7.7), t * 1.3);
  return coarse * 0.8 + fine * 0.5;
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

  // Sunlight from above: ground that faces up catches it, more so in the net of caustics.
  float facingUp = clamp(normalize(groundNormal).y, 0.0, 1.0);
  float sun = 0.15 + 2.2 * caustics(groundPosition.xz, wave_time);
  vec3 lit = SAND * (lamp * 2.0 + sun * mix(0.35, 1.0, facingUp) * vec3(0.75, 0.95, 1.0));

  float fog = clamp(1.0 - exp(-0.03 * length(eyePosition)), 0.0, 1.0);
  gl_FragColor = vec4(mix(lit, WATER, fog), 1.0);
}
