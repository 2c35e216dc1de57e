#include "app/tmyapp.h"

int main(int argc, char** argv) {
    nimbara::TMyApp app(argc, argv);
    return app.Run();
}
