// Orvex Studio start-up.
#include <QApplication>
#include <cstdio>

#include "platform/InputState.h"
#include "platform/NumericLocale.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::resetNumericLocale();
    platform::trackInputEvents(app);
    std::fprintf(stderr, "Orvex Studio: the GL view is not built yet.\n");
    return 0;
}
