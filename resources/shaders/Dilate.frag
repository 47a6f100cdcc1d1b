// Thickens bright lines: every pixel takes the brightest of its 3 x 3 neighbourhood.
uniform sampler2D Texture;
uniform float viewportStep;

void main() {
  vec3 brightest = vec3(0.0);
  for (int y = -1; y <= 1; ++y)
    for (int x = -1; x <= 1; ++x)
      brightest = max(brightest, texture2D(Texture, gl_TexCoord[0].st + vec2(float(x), float(y)) * viewportStep).rgb);
  gl_FragColor = vec4(brightest, 1.0);
}
