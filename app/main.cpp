// Orvex Studio start-up: the application, C numbers, the input state, and the
// GL window on the data set in the working directory.
#include <QApplication>

#include "platform/InputState.h"
#include "platform/NumericLocale.h"
#include "ui/OrvexProjForm.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::resetNumericLocale();
    platform::trackInputEvents(app);
    int status = 0;
    {
        OrvexProjForm projForm;
        projForm.show();
        status = app.exec();
    }
    return status;
}
