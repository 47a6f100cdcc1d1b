#version 110
// Lays the dye (source0) over the picture (source1), both scaled by their opacities. The dye
// square is centred on `position` (texture coordinates of the target) and covers 1 / scale of
// it; its rim fades out so the grid's edge never shows as a hard line.
uniform sampler2D source0;
uniform sampler2D source1;
uniform float source0_opacity;
uniform float source1_opacity;
uniform vec2 position;
uniform vec2 scale;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  vec2 dyeUV = (uv - position) * scale + 0.5;
  vec3 dye = vec3(0.0);
  if (scale.x > 0.0 && scale.y > 0.0) {
    vec2 rim = smoothstep(0.0, 0.06, dyeUV) * smoothstep(0.0, 0.06, 1.0 - dyeUV);
    dye = texture2D(source0, clamp(dyeUV, 0.0, 1.0)).rgb * rim.x * rim.y;
  }
  vec3 picture = texture2D(source1, uv).rgb;
  gl_FragColor = vec4(picture * source1_opacity + max(dye, 0.0) * source0_opacity, 1.0);
}
