// Brightness adds, contrast stretches about mid grey; 0 and 0 leave the image as it is.
uniform sampler2D source;
uniform float brightness;
uniform float contrast;
varying vec2 uv;

void main() {
  vec4 c = texture2D(source, uv);
  gl_FragColor = vec4((c.rgb - 0.5) * (1.0 + contrast) + 0.5 + brightness, c.a);
}
