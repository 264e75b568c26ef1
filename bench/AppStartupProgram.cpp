// The program exactly as metadraw-demo runs it, with a probe that reports
// its first painted frame and then closes the window.
#include "FirstPaintProbe.h"

#include "app/ProgramBody.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  FirstPaintProbe probe;
  return RunProgram();
}
