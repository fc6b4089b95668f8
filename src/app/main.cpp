#include "app/Program.h"
#include "platform/ProcessStart.h"

int main(int argc, char** argv) {
    tinsori::PrepareProcess();
    return tinsori::RunProgram(argc, argv);
}
