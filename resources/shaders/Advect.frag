#version 110
// Semi-Lagrangian advection: each cell fetches the value that the flow carries into it, traced
// back along the velocity by one step. A velocity of 1 crosses FLOW_SPEED of the grid per unit of
// time_step, slow enough that a poured picture stays readable for a moment before it swirls away.
const float FLOW_SPEED = 0.3;

uniform sampler2D velocities_u;
uniform sampler2D velocities_v;
uniform sampler2D prev_densities;
uniform float time_step;

void main() {
  vec2 uv = gl_TexCoord[0].st;
  vec2 velocity = vec2(texture2D(velocities_u, uv).r, texture2D(velocities_v, uv).r);
  gl_FragColor = texture2D(prev_densities, uv - FLOW_SPEED * time_step * velocity);
}
