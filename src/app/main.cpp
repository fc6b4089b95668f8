#include "app/Program.h"
#include "platform/ClosedPipes.h"

int main(int argc, char** argv) {
    // A reader that leaves early (`| head`) makes writes fail, which is reported with status 1.
    tinsori::LetWritesToClosedPipesFail();
    return tinsori::RunProgram(argc, argv);
}
