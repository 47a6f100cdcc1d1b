#include <iostream>

int main(int, char**) {
  std::cout << "Quit demo" << std::endl;
  return 0;
}
