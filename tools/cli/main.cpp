#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "TorvoCli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    TorvoCli cli(std::cout, std::cerr);
    cli.SetDrawProgressBar(::isatty(STDERR_FILENO) != 0);
    return cli.Run(args);
}
