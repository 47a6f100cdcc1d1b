// One pass of the zoom blur: the running image magnified about the centre, its colour weighted
// by multiply and its opacity by alpha. The passes feed back into each other (each magnifies the
// previous result), so a pass magnifies by only a twentieth of zoom_factor's excess over 1:
// zoom_factor 1 .. 2 over 30 passes draws streaks about a quarter of the way further out.
// Opacities outside 0 .. 1 (passes after the opacity ran out) count as their nearest end.
uniform sampler2D Texture;
uniform float zoom_factor;
uniform float alpha;
uniform float multiply;
varying vec2 uv;

const float ZOOM_PER_PASS = 0.05;

void main() {
  float magnification = max(1.0 + (zoom_factor - 1.0) * ZOOM_PER_PASS, 0.001);
  vec2 st = (uv - 0.5) / magnification + 0.5;
  vec3 c = texture2D(Texture, st).rgb * multiply;
  gl_FragColor = vec4(c, clamp(alpha, 0.0, 1.0));
}
