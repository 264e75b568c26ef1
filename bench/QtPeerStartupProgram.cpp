// A minimal Qt Widgets program with the same kind of window: a menu bar
// with "&File" (a separator and "&Exit"), a check box and a button.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  FirstPaintProbe probe;
  QMainWindow window;
  window.setWindowTitle("Qt Peer");
  QMenu* file = window.menuBar()->addMenu("&File");
  file->setSeparatorsCollapsible(false);
  file->addSeparator();
  file->addAction("&Exit", &window, &QWidget::close);
  auto* client = new QWidget;
  auto* layout = new QVBoxLayout(client);
  layout->addWidget(new QCheckBox("Select/Resize Mode On"));
  layout->addWidget(new QPushButton("&Close"));
  window.setCentralWidget(client);
  window.resize(480, 440);
  window.show();
  return application.exec();
}
