// Full-screen pass: texture coordinates 0..1 across the target.
varying vec2 uv;

void main() {
  uv = gl_MultiTexCoord0.xy;
  gl_Position = ftransform();
}
