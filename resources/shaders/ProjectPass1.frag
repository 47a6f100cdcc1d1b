#version 110
// One Jacobi iteration of the pressure Poisson equation: source0 is the pressure so far,
// source1 the scaled divergence. Pressure outside the grid reads 0.
uniform sampler2D source0;
uniform sampler2D source1;
uniform float buffer_size;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  float h = 1.0 / buffer_size;
  float neighbours = texture2D(source0, uv - vec2(h, 0.0)).r + texture2D(source0, uv + vec2(h, 0.0)).r +
                     texture2D(source0, uv - vec2(0.0, h)).r + texture2D(source0, uv + vec2(0.0, h)).r;
  gl_FragColor = vec4((texture2D(source1, uv).r + neighbours) * 0.25);
}
