#version 120
// Point sprites sized like GL's distance attenuation: PointSize / sqrt(a + b d + c d^2) with the
// buffer's point parameters and d the eye distance. A size of 0 (no target width) draws nothing.
uniform float PointSize;
uniform float Time;

void main() {
  vec4 eye = gl_ModelViewMatrix * gl_Vertex;
  float d = length(eye.xyz);
  float attenuation = gl_Point.distanceConstantAttenuation + gl_Point.distanceLinearAttenuation * d +
                      gl_Point.distanceQuadraticAttenuation * d * d;
  float size = PointSize * inversesqrt(max(attenuation, 1e-6));
  gl_Position = gl_ProjectionMatrix * eye;
  if (PointSize <= 0.0) gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
  gl_PointSize = max(size, 1.0);
  // A non-negative Time makes the sprites twinkle; the creatures pass -1 for a steady glow.
  float twinkle = Time < 0.0 ? 1.0 : 0.75 + 0.25 * sin(Time * 0.005 + gl_Vertex.x * 13.0 + gl_Vertex.y * 7.0);
  gl_FrontColor = vec4(gl_Color.rgb * twinkle, 1.0);
}
