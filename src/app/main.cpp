#include "app/Program.h"

int main(int argc, char** argv) {
    return tinsori::RunProgram(argc, argv);
}
