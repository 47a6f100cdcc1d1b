// Seabed: per-pixel point light; the fragment stage needs eye-space position and normal, and
// the object position for caustics that stay put on the ground.
varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 groundPosition;
varying vec3 groundNormal;

void main() {
  eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
  eyeNormal = gl_NormalMatrix * gl_Normal;
  groundPosition = gl_Vertex.xyz;
  groundNormal = gl_Normal;
  gl_Position = ftransform();
}
