#version 110
// dst + time_step * src: feeds a field's previous state (or a source) back into it.
uniform sampler2D source;
uniform sampler2D destination;
uniform float time_step;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  gl_FragColor = texture2D(destination, uv) + time_step * texture2D(source, uv);
}
