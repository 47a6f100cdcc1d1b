#include "demosys/scene/ObjectLoader.h"

#include <iostream>
#include <set>

#include "demosys/core/KVRDemosys.h"
#include "demosys/gl/MeshBuffer.h"
#include "demosys/io/ObjectFileParser.h"
#include "demosys/scene/KVRAnimation.h"
#include "demosys/scene/KVRCamera.h"
#include "demosys/scene/KVRLight.h"
#include "demosys/scene/KVRMaterial.h"
#include "demosys/scene/KVRObject.h"
#include "demosys/scene/KVRScene.h"

namespace {

Matrix4 toMatrix(const float* values) {
  Matrix4 matrix;
  for (int i = 0; i < 16; ++i) matrix.m[i] = values[i];
  return matrix;
}

void printMatrix(const float* m) {
  std::cout << "Matrix {" << std::endl;
  for (int r = 0; r < 4; ++r)
    std::cout << "  [" << m[r] << ", " << m[r + 4] << ", " << m[r + 8] << ", " << m[r + 12] << "]"
              << std::endl;
  std::cout << "}" << std::endl;
}

// The first kind of record whose names repeat ("materials 'x'"), or empty. The scene keys
// objects, cameras, lights and materials by name, so a repeated name cannot be stored.
std::string repeatedName(const ObjectFileData& data) {
  std::set<std::string> materialNames, objectNames, cameraNames, lightNames;
  for (const ObjectMaterialData& material : data.materials)
    if (!materialNames.insert(material.name).second) return "materials '" + material.name + "'";
  for (int32_t index : data.objectOrder)
    if (!objectNames.insert(data.nodes[index].name).second) return "objects '" + data.nodes[index].name + "'";
  std::set<int32_t> placed;
  for (const ObjectNodeData& node : data.nodes) {
    if (node.type == NodeCamera && !cameraNames.insert(node.name).second)
      return "cameras '" + node.name + "'";
    if (node.type == NodeLight && node.lightIndex >= 0 && placed.insert(node.lightIndex).second &&
        !lightNames.insert(node.name).second)
      return "lights '" + node.name + "'";
  }
  return "";
}

}  // namespace

ObjectLoader::ObjectLoader(const std::string& path) : path(path), scene(new KVRScene()) {}

ObjectLoader::~ObjectLoader() {
  // Everything built belongs to the scene; a scene never handed out goes here.
  delete scene;
}

KVRScene* ObjectLoader::Load() {
  ObjectFileParser parser(path);
  if (!parser.Parse()) {
    ok = false;
    error = parser.GetError();
    return nullptr;
  }
  return Build(parser.GetData());
}

KVRScene* ObjectLoader::Build(const ObjectFileData& data) {
  if (verbose) printDetails(data);
  std::string repeated = repeatedName(data);
  if (!repeated.empty()) {
    ok = false;
    error = "Object '" + path + "' names two " + repeated;
    return nullptr;
  }
  createMeshes(data);
  for (const TextureDefinition& texture : data.textureDefinitions())
    KVRDemosys::textureDefinitions.push_back(texture);
  createMaterials(data);
  for (size_t i = 0; i < data.lights.size(); ++i) {
    const ObjectLightData& light = data.lights[i];
    lights[static_cast<int32_t>(i)] =
        new KVRLight(light.type, light.colour[0], light.colour[1], light.colour[2]);
  }
  createNodes(data);
  ok = true;
  linkObjects(data);
  scene->prepare();
  attachAnimations(data);
  // Light records that no light node placed never entered the scene.
  for (auto& entry : lights)
    if (!placedLights.count(entry.second)) delete entry.second;
  KVRScene* result = scene;
  scene = nullptr;
  return result;
}

void ObjectLoader::createMeshes(const ObjectFileData& data) {
  for (size_t i = 0; i < data.meshes.size(); ++i) {
    MeshBuffer* mesh = new MeshBuffer(data.meshes[i]);
    mesh->upload(data.meshes[i]);
    scene->adoptMesh(mesh);
    meshes[static_cast<int32_t>(i)] = mesh;
  }
}

void ObjectLoader::createMaterials(const ObjectFileData& data) {
  for (size_t i = 0; i < data.materials.size(); ++i) {
    const ObjectMaterialData& record = data.materials[i];
    KVRMaterial* material = new KVRMaterial();
    material->setName(record.name);
    material->setAmbient(record.ambient[0], record.ambient[1], record.ambient[2]);
    material->setDiffuse(record.diffuse[0], record.diffuse[1], record.diffuse[2]);
    material->setTextureFile(record.textureFile);
    materials[static_cast<int32_t>(i)] = material;
    scene->addMaterial(record.name, material);
  }
}

void ObjectLoader::createNodes(const ObjectFileData& data) {
  for (size_t i = 0; i < data.nodes.size(); ++i) {
    const ObjectNodeData& node = data.nodes[i];
    const int32_t index = static_cast<int32_t>(i);
    if (node.type == NodeGroup || node.type == NodeMeshObject) {
      KVRObject* object = new KVRObject(node.id, node.parentId, node.name);
      object->setBaseMatrix(toMatrix(node.matrix));
      if (node.meshIndex >= 0) object->setMesh(meshes[node.meshIndex]);
      if (node.materialIndex >= 0) object->setMaterial(materials[node.materialIndex]);
      objects[index] = object;
    } else if (node.type == NodeCamera) {
      KVRCamera* camera = new KVRCamera(node.name);
      camera->setMatrix(toMatrix(node.matrix));
      cameras[index] = camera;
      scene->AddCamera(node.name, camera);
    } else if (node.type == NodeLight && node.lightIndex >= 0) {
      KVRLight* light = lights[node.lightIndex];
      // A second node placing the same light would store it twice (and delete it twice).
      if (!placedLights.insert(light).second) continue;
      light->setName(node.name);
      light->setMatrix(toMatrix(node.matrix));
      scene->addLight(node.name, light);
    }
  }
}

void ObjectLoader::linkObjects(const ObjectFileData& data) {
  for (int32_t index : data.objectOrder) {
    KVRObject* object = objects[index];
    const int32_t parent = data.nodes[index].parentIndex;
    if (parent >= 0) {
      object->setParent(objects[parent]);
      objects[parent]->addChild(object);
    }
    scene->AddObject(object);
  }
  // Nodes of a repeated id that a later node replaced are not in the scene.
  std::set<int32_t> entered(data.objectOrder.begin(), data.objectOrder.end());
  for (auto& entry : objects)
    if (!entered.count(entry.first)) delete entry.second;
}

void ObjectLoader::attachAnimations(const ObjectFileData& data) {
  for (const ObjectKeyframeTrack& track : data.keyframeTracks) {
    KVRAnimation* animation = new KVRAnimation();
    for (const ObjectKeyData& key : track.keys) {
      animation->addPositionKey(key.timeMs, key.position[0], key.position[1], key.position[2]);
      animation->addRotationKey(key.timeMs, key.rotation[0], key.rotation[1], key.rotation[2]);
    }
    animation->finish();
    scene->adoptAnimation(animation);
    if (track.targetType == TargetCamera)
      cameras[track.targetIndex]->setAnimation(animation);
    else if (track.targetType == TargetLight)
      lights[track.targetIndex]->setAnimation(animation);
    else
      objects[track.targetIndex]->setAnimation(animation);
  }
}

void ObjectLoader::printDetails(const ObjectFileData& data) const {
  std::cout << "File version : " << data.version << std::endl;
  std::cout << "Number of meshes : " << data.meshes.size() << std::endl;
  for (const ObjectMeshData& mesh : data.meshes) {
    std::cout << "Mesh id : '" << mesh.id << "'" << std::endl;
    std::cout << "Mesh name : '" << mesh.name << "'" << std::endl;
    std::cout << "Vertex    : count = " << mesh.positions.size() / 3 << ", offset = " << mesh.vertexOffset
              << std::endl;
    std::cout << "Normal    : count = " << mesh.normals.size() / 3 << ", offset = " << mesh.normalOffset
              << std::endl;
    std::cout << "Texcoord0 : count = " << mesh.texcoords.size() / 2 << ", offset = " << mesh.texcoordOffset
              << std::endl;
    std::cout << "IndexList : count = " << mesh.indices.size() << std::endl;
    std::cout << "Index stride : " << mesh.indexStride << std::endl;
    std::cout << "Polygon indices : " << mesh.cornerCount << std::endl;
  }
  std::cout << "Number of textures " << data.textures.size() << std::endl;
  for (const ObjectTextureData& texture : data.textures)
    std::cout << "Texture " << texture.id << " : " << texture.name << " : " << texture.file << std::endl;
  std::cout << "Number of materials " << data.materials.size() << std::endl;
  std::cout << "Number of lights " << data.lights.size() << std::endl;
  std::cout << "--- Scene Tree ---" << std::endl;
  std::cout << "Number of nodes " << data.nodes.size() << std::endl;
  for (const ObjectNodeData& node : data.nodes) {
    if (node.type == NodeCamera) {
      printMatrix(node.matrix);
    } else if (node.type == NodeLight) {
      std::cout << "Light" << std::endl;
      printMatrix(node.matrix);
    } else if (node.type == NodeGroup || node.type == NodeMeshObject) {
      std::cout << "-> Node id : " << node.id << std::endl;
      std::cout << "-> Node type : " << node.type << std::endl;
      std::cout << "-> Node type ref : " << node.meshId << std::endl;
      std::cout << "-> Node parent : " << node.parentId << std::endl;
      std::cout << "-> Node name : " << node.name << std::endl;
      std::cout << "-> Matrix : " << std::endl;
      printMatrix(node.matrix);
    }
  }
  if (data.hasKeyframeFile) std::cout << ".kf file found for " << path << std::endl;
}
