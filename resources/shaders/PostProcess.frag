// The final grade, in this order:
//  - brightness adds and contrast stretches about mid grey (0 and 0: unchanged);
//  - negative blends towards the inverted image (0 none, 1 fully inverted);
//  - a vignette: outside vignett_radius (distance from the centre, the corners at 1) the picture
//    sinks, over half a unit, into a dark tint of the two gradient colours, which drift slowly
//    across the frame with gradient_scroll (a radius of 1.5 or more leaves the frame alone);
//  - film grain from the noise picture (0.5 = no change), jumping to a new place as noise_offset
//    grows, scaled by noise_strength;
//  - the tone curve of the 1-D threshold picture, per channel;
//  - last, fade blends towards fade_color, so that a fade reaches its colour exactly.
uniform sampler2D image;
uniform sampler2D noise;
uniform sampler1D threshold;
uniform float brightness;
uniform float contrast;
uniform float negative;
uniform float fade;
uniform vec3 fade_color;
uniform vec2 gradient_scroll;
uniform vec3 gradient_col0;
uniform vec3 gradient_col1;
uniform float vignett_radius;
uniform float noise_offset;
uniform float noise_strength;
varying vec2 uv;

const float TWO_PI = 6.2831853;

vec3 gradientTint() {
  float t = 0.5 + 0.25 * sin(TWO_PI * (uv.x * 0.7 + gradient_scroll.x)) +
            0.25 * sin(TWO_PI * (uv.y * 0.9 + gradient_scroll.y));
  return mix(gradient_col0, gradient_col1, t);
}

vec3 vignette(vec3 c) {
  float d = length(uv - 0.5) * 1.4142136;
  float inside = 1.0 - smoothstep(vignett_radius, vignett_radius + 0.5, d);
  vec3 edge = c * gradientTint() * 1.5;
  return mix(edge, c, inside);
}

vec3 grain() {
  vec2 jump = fract(vec2(noise_offset * 37.0, noise_offset * 53.0));
  vec3 n = texture2D(noise, fract(uv * vec2(2.5, 1.4) + jump)).rgb;
  return (n - 0.5) * noise_strength;
}

// Texel centres of the 256-entry curve; a strong negative bias keeps the lookup on the full
// level of the mipmapped curve even across hard edges in the picture.
vec3 toneCurve(vec3 c) {
  vec3 s = clamp(c, 0.0, 1.0) * (255.0 / 256.0) + 0.5 / 256.0;
  return vec3(texture1D(threshold, s.r, -16.0).r, texture1D(threshold, s.g, -16.0).g,
              texture1D(threshold, s.b, -16.0).b);
}

void main() {
  vec3 c = texture2D(image, uv).rgb;
  c = (c - 0.5) * (1.0 + contrast) + 0.5 + brightness;
  c = mix(c, 1.0 - c, negative);
  c = vignette(c);
  c += grain();
  c = toneCurve(c);
  c = mix(c, fade_color, fade);
  gl_FragColor = vec4(clamp(c, 0.0, 1.0), 1.0);
}
