#version 110
// A full-screen pass: the quad comes in clip space with its texture coordinates.
void main() {
  gl_TexCoord[0] = gl_MultiTexCoord0;
  gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
}
