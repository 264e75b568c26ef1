#include "platform/ole/ComObject.h"
#include "platform/ole/ComPtr.h"

#include <gtest/gtest.h>

namespace ole {
namespace {

inline constexpr IID IID_ISecond{0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};

class ISecond : public IUnknown {
public:
  virtual int Value() = 0;

protected:
  ~ISecond() = default;
};

class Tracked final : public ComObject<Tracked, IDispatch, ISecond> {
public:
  explicit Tracked(int& liveCount) : liveCount_(liveCount) { ++liveCount_; }
  ~Tracked() override { --liveCount_; }

  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
    } else if (iid == IID_ISecond) {
      *object = static_cast<ISecond*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  HRESULT GetIDsOfNames(const IID&, const OLECHAR* const*, std::uint32_t, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT Invoke(DISPID, const IID&, LCID, std::uint16_t, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                 std::uint32_t*) override {
    return E_NOTIMPL;
  }
  int Value() override { return 7; }

private:
  int& liveCount_;
};

TEST(ComObject, LivesAsLongAsItHasReferences) {
  int live = 0;
  {
    auto object = ComPtr<IDispatch>::Adopt(new Tracked(live));
    EXPECT_EQ(live, 1);
    ComPtr<IDispatch> copy = object;
    ComPtr<ISecond> second;
    ASSERT_EQ(object.As(IID_ISecond, second), S_OK);
    EXPECT_EQ(second->Value(), 7);
    EXPECT_EQ(static_cast<Tracked*>(object.get())->ReferenceCount(), 3u)
        << "every interface of the object shares one count";

    ComPtr<IDispatch> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(static_cast<Tracked*>(object.get())->ReferenceCount(), 3u) << "a move takes no reference";

    ComPtr<IUnknown> missing;
    EXPECT_EQ(object.As(IID_NULL, missing), E_NOINTERFACE);
    EXPECT_FALSE(missing);
  }
  EXPECT_EQ(live, 0) << "the last release deletes the object";

  IDispatch* raw = new Tracked(live);
  ComPtr<IDispatch> taken(raw);
  EXPECT_EQ(taken.Detach()->Release(), 1u) << "the constructor took a reference of its own";
  raw->Release();
  EXPECT_EQ(live, 0);
}

} // namespace
} // namespace ole
