#version 120
// The sprite image tinted by the particle's colour; the buffer blends it additively.
uniform sampler2D particle;

void main() {
  vec4 sprite = texture2D(particle, gl_PointCoord);
  gl_FragColor = vec4(gl_Color.rgb * sprite.rgb, sprite.a);
}
