// Edges of an image: the 3 x 3 Laplacian (the centre against its eight neighbours), strong
// where brightness bends and zero on flat or evenly graded ground, drawn in `color`.
uniform sampler2D Texture;
uniform float viewportStep;
uniform float contrast;
uniform vec3 color;

vec3 at(vec2 offset) { return texture2D(Texture, gl_TexCoord[0].st + offset * viewportStep).rgb; }

void main() {
  vec3 around = at(vec2(-1.0, -1.0)) + at(vec2(0.0, -1.0)) + at(vec2(1.0, -1.0)) +
                at(vec2(-1.0, 0.0)) + at(vec2(1.0, 0.0)) +
                at(vec2(-1.0, 1.0)) + at(vec2(0.0, 1.0)) + at(vec2(1.0, 1.0));
  vec3 laplacian = 8.0 * at(vec2(0.0)) - around;
  float edge = clamp(length(laplacian) * contrast, 0.0, 1.0);
  gl_FragColor = vec4(color * edge, 1.0);
}
