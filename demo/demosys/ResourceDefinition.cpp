#include "demosys/ResourceDefinition.h"

#include "demosys/KVRDemosys.h"
#include "demosys/ScreenMetrics.h"

void ResourceDefinition::setup(ScreenMetrics* metrics) {
  metrics->setSize(1280, 768);
  metrics->setNearPlane(1.0f);
  metrics->setFarPlane(1000.0f);
  metrics->setFullscreen(false);
  SetStartTime("00:00:00");
  SetEndTime("99:00:00");
}

void ResourceDefinition::AddShader(const ShaderDefinition& definition) {
  KVRDemosys::shaderDefinitions.push_back(definition);
}

void ResourceDefinition::AddTexture(const TextureDefinition& definition) {
  KVRDemosys::textureDefinitions.push_back(definition);
}

void ResourceDefinition::AddObject(const FileDefinition& definition) {
  KVRDemosys::objectDefinitions.push_back(definition);
}

void ResourceDefinition::AddBinary(const FileDefinition& definition) {
  KVRDemosys::binaryDefinitions.push_back(definition);
}

void ResourceDefinition::AddAnimation(const FileDefinition& definition) {
  KVRDemosys::animationDefinitions.push_back(definition);
}

void ResourceDefinition::SetMusic(const std::string& fileName) { KVRDemosys::musicFile = fileName; }

void ResourceDefinition::SetStartTime(const std::string& text) { KVRDemosys::startTime = TimeCode::parse(text); }

void ResourceDefinition::SetEndTime(const std::string& text) { KVRDemosys::endTime = TimeCode::parse(text); }
