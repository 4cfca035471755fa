// Placeholder until the sample platform generator lands.
#include <cstdio>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  mkdir(argv[1], 0755);
  std::FILE* f = std::fopen((std::string(argv[1]) + "/inventory").c_str(), "w");
  if (!f) return 1;
  std::fclose(f);
  return 0;
}
