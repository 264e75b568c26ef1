#pragma once

#include <QObject>

// The Qt peer of the boundary benchmarks: the same two members as the
// stored-value control, reached through Qt's own by-name access.
class QtPeerControl : public QObject {
  Q_OBJECT
  Q_PROPERTY(int FillColor READ FillColor WRITE SetFillColor)

public:
  int FillColor() const { return fillColor_; }
  void SetFillColor(int value) { fillColor_ = value; }

  Q_INVOKABLE int ClientToLogicX(int x) const { return x * 2; }

private:
  int fillColor_ = 0;
};
