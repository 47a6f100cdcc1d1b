#version 110
// Subtracts the pressure gradient across the cell's low x face from u.
uniform sampler2D velocities_u;
uniform sampler2D velocities_u_prev;
uniform float buffer_size;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  float h = 1.0 / buffer_size;
  float gradient = texture2D(velocities_u_prev, uv).r - texture2D(velocities_u_prev, uv - vec2(h, 0.0)).r;
  gl_FragColor = vec4(texture2D(velocities_u, uv).r - gradient * buffer_size);
}
