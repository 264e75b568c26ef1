#include "WindowTestSupport.h"

#include "platform/container/ControlSlot.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/ClassRegistry.h"
#include "platform/ole/ComObject.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/ControlView.h"
#include "platform/window/ProgramFolders.h"

#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace window {
namespace {

using testing::MainWindowDescription;

// A control that shows itself as a label, standing in for the drawing
// control.
class ViewControl final : public ole::ComObject<ViewControl, ole::IDispatch, ole::IControlView> {
public:
  static inline int closed = 0;

  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override {
    if (iid == ole::IID_IUnknown || iid == ole::IID_IDispatch) {
      *object = static_cast<ole::IDispatch*>(this);
    } else if (iid == ole::IID_IControlView) {
      *object = static_cast<ole::IControlView*>(this);
    } else {
      *object = nullptr;
      return ole::E_NOINTERFACE;
    }
    AddRef();
    return ole::S_OK;
  }

  ole::HRESULT GetIDsOfNames(const ole::IID&, const ole::OLECHAR* const*, std::uint32_t, ole::LCID,
                             ole::DISPID* ids) override {
    ids[0] = ole::DISPID_UNKNOWN;
    return ole::DISP_E_UNKNOWNNAME;
  }

  ole::HRESULT Invoke(ole::DISPID, const ole::IID&, ole::LCID, std::uint16_t, ole::DISPPARAMS*, ole::VARIANT*,
                      ole::EXCEPINFO*, std::uint32_t*) override {
    return ole::DISP_E_MEMBERNOTFOUND;
  }

  QWidget* ShowView(QWidget* parent) override {
    if (view_ == nullptr) {
      view_ = new QLabel("drawing", parent);
    } else {
      view_->setParent(parent);
    }
    view_->show();
    return view_;
  }

  void CloseView() override {
    ++closed;
    delete view_.data();
  }

private:
  QPointer<QLabel> view_;
};

class SlotHostingTest : public ::testing::Test {
protected:
  void SetUp() override {
    ole::ClassRegistry::Instance().RegisterFactory("Test.View.1", [](const ole::IID& iid, void** object) {
      auto* control = new ViewControl;
      const ole::HRESULT status = control->QueryInterface(iid, object);
      control->Release();
      return status;
    });
    ViewControl::closed = 0;
  }
  void TearDown() override {
    ole::ClassRegistry::Instance().UnregisterFactory("Test.View.1");
    ole::ClassRegistry::Instance().UnregisterLibrary("Test.Missing.1");
  }

  static void Create(Window& window, std::string_view progId) {
    container::SetMember(&window, 3, std::to_string(container::PROP_Create), container::SetValue::Text(progId));
  }

  std::int32_t ticked_ = 0;
};

TEST_F(SlotHostingTest, ACreatedControlShowsItsViewFillingTheSlot) {
  Window window(MainWindowDescription(ticked_));
  window.Show(0);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.Widget()));
  QWidget* place = window.ControlWidget(3);

  Create(window, "Test.View.1");
  ASSERT_NE(window.Slot(3)->Control(), nullptr);
  EXPECT_FALSE(container::GetMember(&window, 3, std::to_string(container::PROP_Object)).empty());
  auto* view = place->findChild<QLabel*>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return view->geometry() == place->rect(); }));
  EXPECT_TRUE(view->isVisible());

  const QSize grown = place->size() + QSize(30, 20);
  place->resize(grown);
  EXPECT_TRUE(QTest::qWaitFor([&] { return view->size() == grown; })) << "the view follows the slot's size";

  container::CallMember(&window, 3, std::to_string(container::PROP_Deactivate));
  EXPECT_EQ(ViewControl::closed, 1);
  EXPECT_EQ(place->findChild<QLabel*>(), nullptr);
}

TEST_F(SlotHostingTest, AControlStillInItsSlotIsLetGoWithTheWindow) {
  auto window = std::make_unique<Window>(MainWindowDescription(ticked_));
  Create(*window, "Test.View.1");
  ASSERT_NE(window->Slot(3)->Control(), nullptr);
  window.reset();
  EXPECT_EQ(ViewControl::closed, 1);
}

TEST_F(SlotHostingTest, AMissingControlLibraryLeavesTheSlotEmpty) {
  QTemporaryDir folder;
  const std::string registry = folder.filePath("components.reg").toStdString();
  std::ofstream(registry) << "Test.Missing.1=libmetadraw-nowhere.so\n";
  ASSERT_EQ(ole::ClassRegistry::Instance().LoadRegistryFile(registry), ole::S_OK);

  Window window(MainWindowDescription(ticked_));
  for (const char* progId : {"Test.Missing.1", "Test.Unregistered.1"}) {
    SCOPED_TRACE(progId);
    Create(window, progId);
    EXPECT_EQ(window.Slot(3)->Control(), nullptr);
    EXPECT_TRUE(container::GetMember(&window, 3, std::to_string(container::PROP_Object)).empty());
    EXPECT_TRUE(window.ControlWidget(3)->findChildren<QWidget*>().isEmpty());
  }
}

TEST(ProgramFoldersTest, TheComponentRegistryLiesInTheLibraryFolderBesideBin) {
  EXPECT_EQ(ComponentRegistryPathFor("/opt/metadraw/bin/metadraw-demo"),
            std::filesystem::path("/opt/metadraw/lib/metadraw/components.reg"));
  EXPECT_EQ(DataFolder(), (ExecutableFolder() / ".." / "share" / "metadraw").lexically_normal());
  EXPECT_TRUE(std::filesystem::exists(DataFolder() / "WACancel.ico"));
}

} // namespace
} // namespace window
