// Writes the whole media set into the folder named on the command line.
#include <cstdio>
#include <filesystem>

#include "mediagen/media.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: finbrook_mediagen <media folder>\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  mediagen::WritePictures(dir);
  mediagen::WriteSongs(dir);
  mediagen::WriteSounds(dir);
  return 0;
}
