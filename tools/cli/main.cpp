#include <iostream>
#include <string>
#include <vector>

#include "TorvoCli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return TorvoCli(std::cout, std::cerr).Run(args);
}
