#pragma once

// The full-screen pass every effect of the demo draws with: both matrices set to identity and
// one quad covering clip space, texture coordinates running 0..1 across it.
namespace FullscreenPass {
// Pushes the projection and model-view matrices and loads identity into both; leaves the
// model-view matrix selected.
void pushIdentityMatrices();
// Pops both matrices pushed by pushIdentityMatrices; leaves the model-view matrix selected.
void popMatrices();
// The quad alone, in the current matrices.
void drawQuad();
}  // namespace FullscreenPass
