// The text boundary against Qt's by-name dynamic access to the same
// members: each BM_Boundary_ case has its BM_QtPeer_ counterpart, and the
// goal is a time at or below it in the same run.
#include "QtPeerControl.h"

#include "platform/ole/NumberText.h"
#include "platform/container/ContainerWindow.h"
#include "platform/container/OleContainer.h"
#include "tests/support/controls/ScopedControlFactory.h"
#include "tests/support/controls/StoredValueControl.h"

#include <QMetaObject>
#include <QVariant>

#include <benchmark/benchmark.h>

namespace {

constexpr std::int16_t kSlot = 3;

// A window with the stored-value control in its slot, connected as the
// wrapper connects: created, then with reporting switched on.
class BoundaryFixture {
public:
  BoundaryFixture()
      : control_(testsupport::StoredValueControl::Create()),
        factory_("Bench.StoredValue", ole::ComPtr<ole::IUnknown>(control_.get())) {
    window_.AddSlot(kSlot);
    container::SetMember(&window_, kSlot, "31942", container::SetValue::Text("Bench.StoredValue"));
    container::SetMember(&window_, kSlot, "31954", container::SetValue::Text("1"));
  }

  container::ContainerWindow* Window() { return &window_; }

private:
  ole::ComPtr<testsupport::StoredValueControl> control_;
  testsupport::ScopedControlFactory factory_;
  container::ContainerWindow window_;
};

void BM_Boundary_SetLong(benchmark::State& state) {
  BoundaryFixture fixture;
  std::int32_t colour = 0;
  for (auto _ : state) {
    container::SetMember(fixture.Window(), kSlot, "FillColor", container::SetValue::Long(colour++ & 0xFFFFFF));
  }
}
BENCHMARK(BM_Boundary_SetLong);

void BM_Boundary_GetLong(benchmark::State& state) {
  BoundaryFixture fixture;
  container::SetMember(fixture.Window(), kSlot, "FillColor", container::SetValue::Long(0x00FF8000));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ole::NumberText::ReadLong(container::GetMember(fixture.Window(), kSlot, "FillColor")));
  }
}
BENCHMARK(BM_Boundary_GetLong);

void BM_Boundary_GetWithArg(benchmark::State& state) {
  BoundaryFixture fixture;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ole::NumberText::ReadLong(container::GetMember(fixture.Window(), kSlot, "ClientToLogicX(120)")));
  }
}
BENCHMARK(BM_Boundary_GetWithArg);

void BM_QtPeer_SetProperty(benchmark::State& state) {
  QtPeerControl peer;
  int colour = 0;
  for (auto _ : state) {
    peer.setProperty("FillColor", QVariant(colour++ & 0xFFFFFF));
  }
}
BENCHMARK(BM_QtPeer_SetProperty);

void BM_QtPeer_GetProperty(benchmark::State& state) {
  QtPeerControl peer;
  peer.SetFillColor(0x00FF8000);
  for (auto _ : state) {
    benchmark::DoNotOptimize(peer.property("FillColor").toString().toInt());
  }
}
BENCHMARK(BM_QtPeer_GetProperty);

void BM_QtPeer_InvokeMethod(benchmark::State& state) {
  QtPeerControl peer;
  for (auto _ : state) {
    int logicX = 0;
    QMetaObject::invokeMethod(&peer, "ClientToLogicX", Qt::DirectConnection, Q_RETURN_ARG(int, logicX),
                              Q_ARG(int, 120));
    benchmark::DoNotOptimize(logicX);
  }
}
BENCHMARK(BM_QtPeer_InvokeMethod);

} // namespace

BENCHMARK_MAIN();
