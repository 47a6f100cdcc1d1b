// A picture with transparency (source0) screened over an image (source1), each weighted by its
// opacity. The picture is centred on position (texture coordinates of the target); scale is its
// size, scale.x of the target's width and scale.y / 11.25 of its height, so that a 4:1 credit
// with scale (s, 5 s) keeps its shape on a 16:9 frame. Outside the picture and at size 0 it
// contributes nothing.
uniform sampler2D source0;
uniform sampler2D source1;
uniform float source0_opacity;
uniform float source1_opacity;
uniform vec2 position;
uniform vec2 scale;
varying vec2 uv;

void main() {
  vec2 size = scale * vec2(1.0, 1.0 / 11.25);
  vec2 st = (uv - position) / max(abs(size), vec2(1e-6)) + 0.5;
  float inside = step(0.0, st.x) * step(st.x, 1.0) * step(0.0, st.y) * step(st.y, 1.0);
  inside *= step(1e-6, abs(size.x)) * step(1e-6, abs(size.y));
  vec4 picture = texture2D(source0, clamp(st, 0.0, 1.0));
  vec3 a = picture.rgb * picture.a * source0_opacity * inside;
  vec3 b = texture2D(source1, uv).rgb * source1_opacity;
  gl_FragColor = vec4(1.0 - (1.0 - clamp(a, 0.0, 1.0)) * (1.0 - clamp(b, 0.0, 1.0)), 1.0);
}
