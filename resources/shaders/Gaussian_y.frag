// One vertical pass of a separable Gaussian blur, then brightness and contrast.
// Kernel.png, 16 x 1: texel i (0..14) weighs the tap at i - 7 texels; the weights add up to 1.
// blur_radius spreads the taps (in texels of the source, texture_size texels wide); adjustment
// scales the weights (1 keeps the brightness). Brightness adds and contrast stretches about
// mid grey, 0 and 0 leaving the blur as it is: a positive contrast keeps only the bright parts.
uniform sampler2D source;
uniform sampler2D kernel;
uniform float blur_radius;
uniform float texture_size;
uniform float adjustment;
uniform float brightness;
uniform float contrast;
varying vec2 uv;

void main() {
  vec2 step = vec2(0.0, 1.0) * blur_radius / max(texture_size, 1.0);
  vec3 sum = vec3(0.0);
  for (int i = 0; i < 15; ++i) {
    float weight = texture2D(kernel, vec2((float(i) + 0.5) / 16.0, 0.5)).r;
    sum += texture2D(source, uv + step * float(i - 7)).rgb * weight;
  }
  vec3 c = sum * adjustment;
  c = (c - 0.5) * (1.0 + contrast) + 0.5 + brightness;
  gl_FragColor = vec4(clamp(c, 0.0, 1.0), 1.0);
}
