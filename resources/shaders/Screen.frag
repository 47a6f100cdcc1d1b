// Screen blend: brightens where either image is bright, never darkens.
uniform sampler2D source0;
uniform sampler2D source1;
varying vec2 uv;

void main() {
  vec3 a = texture2D(source0, uv).rgb;
  vec3 b = texture2D(source1, uv).rgb;
  gl_FragColor = vec4(1.0 - (1.0 - a) * (1.0 - b), 1.0);
}
