// Outlines seen through water. The scene pass leaves its own colour, before any fog, in rgb and
// its nearness in alpha (1 at the eye, falling towards 0 with distance, 0 where nothing was
// drawn). A line is drawn where the fogged brightness bends or the nearness jumps (a silhouette),
// in `color` dimmed where the faces around it are in shadow and sinking into the sea with distance; between the lines
// the scene's own shading shows faintly through the same water. Alpha carries the line's weight
// for the dilation.
uniform sampler2D Texture;
uniform float viewportStep;
uniform float contrast;
uniform vec3 color;

// The water column: darker towards the floor, lighter towards the surface.
const vec3 SEA_LOW = vec3(0.006, 0.04, 0.06);
const vec3 SEA_HIGH = vec3(0.05, 0.24, 0.3);
// How much of the scene's own shading shows between the lines.
const float SHADE = 0.45;
// Bends weaker than the knee are shading or texture, not edges.
const float KNEE = 0.25;
const float FULL = 0.7;

float luminance(vec3 c) { return dot(c, vec3(0.3, 0.55, 0.15)); }

void main() {
  vec4 centre = texture2D(Texture, gl_TexCoord[0].st);
  float brightnessBend = 0.0;
  float nearnessBend = 0.0;
  float nearest = 0.0;
  float light = 0.0;
  for (int y = -1; y <= 1; ++y)
    for (int x = -1; x <= 1; ++x) {
      vec4 s = texture2D(Texture, gl_TexCoord[0].st + vec2(float(x), float(y)) * viewportStep);
      float weight = (x == 0 && y == 0) ? 8.0 : -1.0;
      float lum = luminance(s.rgb);
      brightnessBend += weight * lum * s.a;
      nearnessBend += weight * s.a;
      nearest = max(nearest, s.a);
      light += lum / 9.0;
    }
  float strength = contrast * (abs(brightnessBend) + abs(nearnessBend));
  float line = smoothstep(KNEE, FULL, strength);

  vec3 sea = mix(SEA_LOW, SEA_HIGH, smoothstep(0.05, 1.0, gl_TexCoord[0].t));
  vec3 ground = mix(sea, centre.rgb * SHADE, centre.a);
  vec3 ink = color * mix(0.3, 1.0, smoothstep(0.02, 0.3, light));
  vec3 inked = mix(sea, ink, nearest);
  gl_FragColor = vec4(mix(ground, inked, line), line);
}
