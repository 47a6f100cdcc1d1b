// Seabed: per-pixel point light; the fragment stage needs eye-space position and normal. The
// two wave trains of the caustic net are smooth at the grid's spacing, so they are summed here
// and only their sharp crests are shaped per pixel.
uniform float wave_time;

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 groundNormal;
varying vec2 causticWaves;

// Two warped wave trains summed; where the sum crosses zero the surface focuses sunlight.
float waveSum(vec2 p, float t) {
  vec2 warp = p + 0.7 * vec2(sin(p.y * 0.9 + t * 0.7), sin(p.x * 0.8 - t * 0.6));
  return sin(warp.x * 1.7 + t) + sin(warp.y * 1.9 - t * 1.1) + sin((warp.x - warp.y) * 1.3 + t * 0.6);
}

void main() {
  eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
  eyeNormal = gl_NormalMatrix * gl_Normal;
  groundNormal = gl_Normal;
  vec2 ground = gl_Vertex.xz;
  causticWaves = vec2(waveSum(ground * 0.45, wave_time), waveSum(ground * 0.9 + vec2(3.1, 7.7), wave_time * 1.3));
  gl_Position = ftransform();
}
