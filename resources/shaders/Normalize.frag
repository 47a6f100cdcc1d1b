#version 110
// A velocity picture stores one component as grey: 0.5 is still, 0.02 and 0.98 are -1 and 1.
uniform sampler2D source;

void main() {
  float level = texture2D(source, gl_TexCoord[0].st).r;
  gl_FragColor = vec4((level - 0.5) / 0.48);
}
