#include "demosys/gl/DataShaderPool.h"

#include <iostream>

std::string DataShaderPool::toString() const {
  std::cout << "Shaders in pool : " << size() << std::endl;
  std::string text = "ShaderPool {\n";
  for (const auto& entry : map.entries) text += "  " + entry.first + " = " + entry.second->toString() + "\n";
  if (map.entries.empty()) text += "<Empty>\n";
  return text + "}\n";
}
