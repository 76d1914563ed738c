#include "app/shell/application.h"

int main(int argc, char** argv) {
    return md::runApplication(argc, argv);
}
