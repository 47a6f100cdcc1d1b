varying vec3 normal;

void main() {
  vec3 toLight = normalize(gl_LightSource[0].position.xyz);
  float diffuse = max(dot(normalize(normal), toLight), 0.0);
  vec4 colour = gl_FrontMaterial.ambient * 0.2 + gl_FrontMaterial.diffuse * gl_LightSource[0].diffuse * diffuse;
  gl_FragColor = vec4(colour.rgb, 1.0);
}
