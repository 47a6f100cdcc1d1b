// Ocean surface seen from below: texture coordinates for the normal maps and the surface
// texture, eye-space position for the view angle and the lamp.
varying vec2 surfaceCoord;
varying vec3 eyePosition;
varying vec3 eyeNormal;

void main() {
  surfaceCoord = gl_MultiTexCoord0.st;
  eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
  eyeNormal = gl_NormalMatrix * gl_Normal;
  gl_Position = ftransform();
}
