#include "capture/CaptureStats.h"

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/DataFBOPool.h"
#include "demosys/gl/FBO.h"
#include "demosys/gl/Texture.h"

void CaptureStats::mapFramebufferTextures() {
  owners.clear();
  if (!KVRDemosys::fboPool) return;
  for (int32_t i = 0; i < KVRDemosys::fboPool->size(); ++i) {
    FBO* fbo = KVRDemosys::fboPool->getFBO(i);
    if (Texture* color = getColorTexture(fbo, 0)) setOwner(color->getName(), getFramebuffer(fbo));
    if (Texture* depth = getDepthTexture(fbo)) setOwner(depth->getName(), getFramebuffer(fbo));
  }
}

uint32_t CaptureStats::ownerOf(uint32_t texture) const {
  std::map<uint32_t, uint32_t>::const_iterator found = owners.find(texture);
  return found == owners.end() ? 0 : found->second;
}

void CaptureStats::judge(uint32_t texture, uint32_t framebuffer) {
  if (insideInstance && framebuffer != 0 && ownerOf(texture) == framebuffer) feedbackSeen = true;
}

void CaptureStats::textureBound(uint32_t texture) {
  boundTextures.insert(texture);
  judge(texture, KVRDemosys::boundFramebuffer);
}

void CaptureStats::textureUnbound(uint32_t texture) { boundTextures.erase(texture); }

void CaptureStats::framebufferBound(uint32_t framebuffer) {
  for (uint32_t texture : boundTextures) judge(texture, framebuffer);
}

void CaptureStats::beginInstance() {
  insideInstance = true;
  feedbackSeen = false;
}

bool CaptureStats::endInstance() {
  insideInstance = false;
  return feedbackSeen;
}
