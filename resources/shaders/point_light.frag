// Seabed lit by light 0 treated as a point (the demo puts it at the eye: a diver's lamp), with
// the fixed-function material, sunlight caustics that move with wave_time (their waves come from
// the vertex stage), and the water's colour swallowing whatever is far away.
varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 groundNormal;
varying vec2 causticWaves;

const vec3 WATER = vec3(0.0, 0.025, 0.04);
const vec3 SAND = vec3(0.62, 0.58, 0.46);

// The net of light that a wavy surface focuses onto the ground: bright where a wave sum
// crosses zero, narrowed to thin lines.
float causticLine(float waves) {
  float ridge = clamp(1.0 - abs(waves) * 0.55, 0.0, 1.0);
  float ridge2 = ridge * ridge;
  return ridge2 * ridge2 * ridge2;
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
  float sun = 0.15 + 2.2 * (causticLine(causticWaves.x) * 0.8 + causticLine(causticWaves.y) * 0.5);
  vec3 lit = SAND * (lamp * 2.0 + sun * mix(0.35, 1.0, facingUp) * vec3(0.75, 0.95, 1.0));

  float fog = clamp(1.0 - exp(-0.03 * length(eyePosition)), 0.0, 1.0);
  gl_FragColor = vec4(mix(lit, WATER, fog), 1.0);
}
