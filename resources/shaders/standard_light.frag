// Light 0 and the front material, per pixel: ambient, diffuse and Phong specular, with the
// light's attenuation when it is positional.
varying vec3 eyePosition;
varying vec3 eyeNormal;

void main() {
  vec3 n = normalize(eyeNormal);
  vec4 position = gl_LightSource[0].position;
  vec3 toLight = position.w == 0.0 ? position.xyz : position.xyz - eyePosition;
  float distance = length(toLight);
  vec3 l = toLight / max(distance, 0.0001);
  float attenuation = position.w == 0.0 ? 1.0 :
      1.0 / max(gl_LightSource[0].constantAttenuation + gl_LightSource[0].linearAttenuation * distance +
                gl_LightSource[0].quadraticAttenuation * distance * distance, 0.0001);
  float diffuse = max(dot(n, l), 0.0);
  vec3 v = normalize(-eyePosition);
  float specular = diffuse > 0.0 ? pow(max(dot(reflect(-l, n), v), 0.0), gl_FrontMaterial.shininess) : 0.0;
  vec3 colour = gl_FrontLightModelProduct.sceneColor.rgb + gl_FrontLightProduct[0].ambient.rgb +
                attenuation * (diffuse * gl_FrontLightProduct[0].diffuse.rgb +
                               specular * gl_FrontLightProduct[0].specular.rgb);
  gl_FragColor = vec4(colour, gl_FrontMaterial.diffuse.a);
}
