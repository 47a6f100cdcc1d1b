#version 110
// Divergence of the velocity, stored as -h^2 * div for the pressure solve (h = 1 / buffer_size).
// u and v sit on the cell's low faces, so the difference with the next cell is the cell's outflow;
// outside the grid the velocity reads 0 (a closed wall).
uniform sampler2D velocities_u;
uniform sampler2D velocities_v;
uniform float buffer_size;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  float h = 1.0 / buffer_size;
  float du = texture2D(velocities_u, uv + vec2(h, 0.0)).r - texture2D(velocities_u, uv).r;
  float dv = texture2D(velocities_v, uv + vec2(0.0, h)).r - texture2D(velocities_v, uv).r;
  gl_FragColor = vec4(-h * (du + dv));
}
