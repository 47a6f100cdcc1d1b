// Thickens the lines: every pixel takes the colour of the strongest line in its 3 x 3
// neighbourhood (the line weight is in alpha), so the shading between the lines stays as it was.
uniform sampler2D Texture;
uniform float viewportStep;

void main() {
  vec4 strongest = texture2D(Texture, gl_TexCoord[0].st);
  for (int y = -1; y <= 1; ++y)
    for (int x = -1; x <= 1; ++x) {
      vec4 s = texture2D(Texture, gl_TexCoord[0].st + vec2(float(x), float(y)) * viewportStep);
      if (s.a > strongest.a) strongest = s;
    }
  gl_FragColor = vec4(strongest.rgb, 1.0);
}
