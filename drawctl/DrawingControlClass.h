#pragma once

#include "drawctl/RecordQueue.h"
#include "platform/container/ContainerWindow.h"
#include "platform/ole/HResult.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One point of a point list, in logical units of the drawing.
struct PointRecord {
  double X = 0.0;
  double Y = 0.0;
};
// A point list, as SetPoints hands it to the drawing control.
using PointQueue = drawctl::RecordQueue<PointRecord>;

// An entry of the drawing list.
struct DrawingListRecord {
  std::string DLT_UNIQUEID = std::string(10, ' ');
  std::string DLT_TITLE = std::string(128, ' ');
  std::int16_t DLT_FONTSIZE = 0;
};
using DrawingListQueueType = drawctl::RecordQueue<DrawingListRecord>;

// A command for an outside drawing queue, as raw bytes. LinkStyle sets the
// command code (a LONG at offset 0), the link (a SHORT at 901) and the
// style (a SHORT at 903), each in the machine's byte order; the rest of the
// record belongs to the queue's consumer.
struct DrawCommandRecord {
  static constexpr std::size_t kSize = 905;
  static constexpr std::size_t kCodeOffset = 0;
  static constexpr std::size_t kLinkOffset = 901;
  static constexpr std::size_t kStyleOffset = 903;
  static constexpr std::int32_t kLinkStyleCommand = 11;

  std::array<std::uint8_t, kSize> BYTES{};
};
using DrawCommandQueue = drawctl::RecordQueue<DrawCommandRecord>;

// The program's only way to the drawing control: it creates the control in
// an OLE control slot of a window (Connect), gives each of the control's
// properties and methods a typed operation, keeps a cache of the control's
// picture and scale state, and releases the control (Disconnect).
//
// Every access goes through the control container, by member name with
// values carried as text, on the slot named by W and COLE. The few members
// that the container cannot reach by name (reals written as method calls,
// the point list) are called directly through the control's IDispatch,
// found through the slot's object reference text; when that text names no
// live control, the direct call makes no call and gives E_POINTER.
//
// A get flag other than 0 reads a property and returns it; 0 writes the
// value and returns 0 or the empty text. No operation checks what the
// control answered: the container reports failures itself.
//
// The class has no base class and every operation is virtual, in this
// order. Operations run on the thread that owns the window, one at a time.
class DrawingControlClass {
public:
  // ProgID of the drawing control that Connect creates.
  static constexpr const char* kProgId = "MDRAW.MDrawCtrl.3";

  // Creates the drawing control in slot controlNumber of window, switches
  // the container's failure reports on and measures the screen's twips
  // per pixel. When the control cannot be created, shows "MetaDraw control
  // not found! Check your MetaDraw installation" and measures nothing. The
  // window is not owned and must outlive every later operation.
  virtual void Connect(container::ContainerWindow* window, std::int16_t controlNumber);
  // Gives back the object runtime taken by Connect, releases the control's
  // reference and deactivates the slot.
  virtual void Disconnect();
  // Clears the drawing and resets the picture's origin, sizes, scroll bars,
  // edit mode and zoom.
  virtual void ResetDrawing(std::int32_t origWidth, std::int32_t origHeight, std::int32_t picWidth,
                            std::int32_t picHeight);
  virtual std::int32_t BackColor(std::int32_t value, std::uint8_t get);
  // The file name goes unquoted and cut to 254 bytes; the control's answer
  // as a LONG.
  virtual std::int32_t LoadPicture(std::string_view fileName, std::int16_t option1, std::int16_t option2);
  // The file name goes quoted and cut to 255 bytes.
  virtual void SavePicture(std::string_view fileName, std::uint8_t saveOption, std::uint8_t pictureType);
  // Saves the visible area: sets the picture type, export options 9, the
  // clip rectangle from the picture offsets and the client area, Current 5
  // and ScaleUnits 1 (none of them restored), saves under the whole file
  // name and re-reads the picture state.
  virtual void SaveClippedPicture(std::string_view fileName, std::uint8_t saveOption = 0,
                                  std::uint8_t pictureType = 14);
  virtual std::int32_t FillColor(std::int32_t value, std::uint8_t get);
  virtual std::int32_t FillStyle(std::int32_t value, std::uint8_t get);
  virtual std::int32_t FontBold(std::int32_t value, std::uint8_t get);
  // Reads the text as the control gives it; writes it without trailing
  // blanks.
  virtual std::string FontName(std::string_view value, std::uint8_t get);
  virtual std::int32_t FontSize(std::int32_t value, std::uint8_t get);
  virtual std::int32_t FontOrient(std::int32_t value, std::uint8_t get);
  virtual std::int32_t LineColor(std::int32_t value, std::uint8_t get);
  virtual std::int32_t LineWidth(std::int32_t value, std::uint8_t get);
  // Gives the control the zoom factor (dispatch identifier 179), re-reads
  // the picture state and remembers the factor in ZOOMFACTOR.
  virtual void SetZoomFactor(double zoomFactor);
  // Reads and writes without trailing blanks; leading blanks stay.
  virtual std::string Text(std::string_view value, std::uint8_t get);
  virtual std::int32_t TextColor(std::int32_t value, std::uint8_t get);
  // The REAL accessors read by name and write through their dispatch
  // identifier as a method call; a write returns the call's status code.
  virtual double PicXSize(double value, std::uint8_t get);
  virtual double PicYSize(double value, std::uint8_t get);
  virtual double PicXOfs(double value, std::uint8_t get);
  virtual double PicYOfs(double value, std::uint8_t get);
  virtual std::int32_t PicLeft(std::int32_t value, std::uint8_t get);
  virtual std::int32_t PicTop(std::int32_t value, std::uint8_t get);
  virtual std::int32_t PicWidth(std::int32_t value, std::uint8_t get);
  virtual std::int32_t PicHeight(std::int32_t value, std::uint8_t get);
  virtual double ClientWidth(std::int32_t selector);
  virtual double ClientHeight(std::int32_t selector);
  virtual double OrigWidth(double value, std::uint8_t get);
  virtual double OrigHeight(double value, std::uint8_t get);
  virtual std::int32_t ScaleUnits(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ClientToLogicX(std::int32_t value);
  virtual std::int32_t ClientToLogicY(std::int32_t value);
  virtual std::int32_t LogicToClientX(std::int32_t value);
  virtual std::int32_t LogicToClientY(std::int32_t value);
  // Adds an object of a kind inside a box. The fixed-kind adds below also
  // re-read the picture state afterwards; AddObject does not.
  virtual void AddObject(std::int16_t kind, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddKind22Object(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddEllipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddRoundedRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddArc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddSector(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddChord(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddPolyline(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  virtual void AddPolygon(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // Writes LineColor, LineWidth and LineStyle, each only when given.
  virtual void SetLineAttributes(std::optional<std::int32_t> color = std::nullopt,
                                 std::optional<std::int32_t> width = std::nullopt,
                                 std::optional<std::int32_t> style = std::nullopt);
  // With USEDRAWQUEUE 0, writes the style of a link to the control. With
  // USEDRAWQUEUE set, adds a link-style command to the queue MDBCOMMAND
  // refers to instead and leaves the control alone; without such a queue
  // the command goes nowhere.
  virtual void LinkStyle(std::int16_t link, std::int16_t style);
  virtual std::int32_t LinkLabel(std::int32_t value, std::uint8_t get);
  virtual std::int32_t LinkLength(std::int16_t link, std::int32_t value, std::uint8_t get);
  virtual std::int32_t LinkWidth(std::int16_t link, std::int32_t value, std::uint8_t get);
  virtual std::int32_t ExportOptions(std::int32_t value, std::uint8_t get);
  // Write-only.
  virtual std::int32_t AutoScale(std::int32_t value);
  virtual void Action(std::int32_t value);
  virtual std::int32_t Current(std::int32_t value, std::uint8_t get);
  virtual std::int32_t EditFlags(std::int32_t value, std::uint8_t get);
  virtual std::int32_t EditMode(std::int32_t value, std::uint8_t get);
  virtual std::int32_t EventMask(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjectsHitTest(std::int32_t x, std::int32_t y, std::int16_t option);
  // The tag texts are read as the control gives them and written without
  // trailing blanks. ObjTags names its tag in double quotes.
  virtual std::string ObjTag(std::string_view value, std::uint8_t get);
  virtual std::string ObjTags(std::string_view value, std::string_view tagName, std::uint8_t get);
  virtual std::int16_t ObjTagCount(std::int16_t value, std::uint8_t get);
  virtual std::int32_t ObjType();
  virtual std::int32_t ObjSelected(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjStatus(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjHotSpot(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjMove(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjNumber(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjVisible(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjLeft(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjTop(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjRight(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ObjBottom(std::int32_t value, std::uint8_t get);
  virtual std::int32_t ScrollBars(std::int32_t value, std::uint8_t get);
  virtual std::int32_t BorderStyle(std::int32_t value, std::uint8_t get);
  virtual std::int32_t HotSpots(std::int32_t value, std::uint8_t get);
  // The property "Text", exactly as Text serves it.
  virtual std::string TextTrimmed(std::string_view value, std::uint8_t get);
  virtual std::int32_t TextHAlign(std::int32_t value, std::uint8_t get);
  virtual std::int32_t TextVAlign(std::int32_t value, std::uint8_t get);
  virtual std::int32_t TextStyle(std::int32_t value, std::uint8_t get);
  virtual std::int32_t Redraw(std::int32_t value, std::uint8_t get);
  virtual void Refresh();
  // Moves objects by the offsets, which the control receives by reference;
  // what it writes back stays with the operation.
  virtual std::int32_t MoveObjects(std::int32_t ofsX, std::int32_t ofsY, std::int16_t option);
  virtual void RotateObjects(std::int32_t first, std::int32_t second, double amount, std::int32_t third);
  // The control writes the bounds into the four variables.
  virtual std::int32_t GetBounds(std::int32_t& left, std::int32_t& top, std::int32_t& right, std::int32_t& bottom,
                                 std::int16_t option);
  virtual std::int32_t SetBounds(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                                 std::int16_t option);
  virtual std::int32_t PicBackColor(std::int32_t value, std::uint8_t get);
  virtual std::int32_t PicBorderColor(std::int32_t value, std::uint8_t get);
  virtual std::int32_t TransparentBackground(std::int32_t value, std::uint8_t get);
  virtual std::int32_t BackStyle(std::int32_t value, std::uint8_t get);
  // Writes PicBackColor, PicBorderColor and GradientStyle, in this order.
  virtual void SetGradient(std::int32_t first, std::int32_t second, std::int32_t third);
  // Fills the cached picture and scale fields from the control.
  virtual void ReadPictureState();
  // Writes the cached picture and scale fields back, the sizes only when
  // they are positive.
  virtual void WritePictureState();
  // Hands the first count points of the list to the control as one array
  // of LONGs (x1, y1, x2, y2, ...), coordinates cut toward zero. A count
  // beyond the points present is cut to the points present, a negative
  // one to none; the count the control receives is the count sent. The
  // list's current entry ends on its last entry.
  virtual void SetPoints(std::int32_t lead, std::int32_t count, PointQueue& points, std::int16_t option);
  // Calls the member with the dispatch identifier as a method with one
  // real argument and returns the call's status code.
  virtual ole::HRESULT InvokeByDispId(std::int32_t dispId, double value);

  // The slot that holds the control.
  container::ContainerWindow* W = nullptr;
  std::int16_t COLE = 0;
  // An outside command queue for LinkStyle; nothing in the program sets it.
  DrawCommandQueue* MDBCOMMAND = nullptr;
  // The cache of the control's picture and scale state.
  std::int32_t PICLEFT = 0;
  std::int32_t PICTOP = 0;
  std::int32_t PICWIDTH = 0;
  std::int32_t PICHEIGHT = 0;
  std::int32_t ORIGWIDTH = 0;
  std::int32_t ORIGHEIGHT = 0;
  double DRAWINGWIDTHINCH = 1.0;
  double DRAWINGHEIGHTINCH = 1.0;
  std::int32_t PICXSIZE = 0;
  std::int32_t PICYSIZE = 0;
  std::int32_t CLIENTWIDTH = 0;
  std::int32_t CLIENTHEIGHT = 0;
  std::int32_t HDC = 0;
  std::uint8_t AUTOSCALE = 0;
  std::uint8_t SCROLLBARS = 0;
  std::uint8_t EDITMODE = 0;
  std::uint8_t SCALEUNITS = 0;
  double ZOOMFACTOR = 0.0;
  // Declared for the drawing's extents, scale, links and patterns; no
  // operation reads or writes these fields, USEDRAWQUEUE excepted.
  double DRAWINGLEFT = 65535.0;
  double DRAWINGTOP = 65535.0;
  double DRAWINGRIGHT = -1000.0;
  double DRAWINGBOTTOM = -1000.0;
  double X1 = 0.0;
  double Y1 = 0.0;
  double X2 = 0.0;
  double Y2 = 0.0;
  std::int32_t YUP = 0;
  double SCALING = 1.0;
  double DEFAULTLINKLENGTH = 0.2;
  double DEFAULTLINKWIDTH = 0.15;
  // Not zero: LinkStyle queues its command in MDBCOMMAND.
  std::int32_t USEDRAWQUEUE = 0;
  std::string PATTERNFILE = std::string(128, ' ');
  std::uint8_t FILLARROWHEAD = 0;
  std::int32_t ARROWHEADFILLCOLOR = 0;
  std::int32_t FITHORIZ = 1;
  std::int32_t FITVERT = 1;
  double DLLINEVERTOFFSET = 0.0;
  // Measured by Connect: 1440 over the screen's dots per inch, 0 when the
  // screen could not be measured.
  std::int32_t TWIPSPERPIXELX = 0;
  std::int32_t TWIPSPERPIXELY = 0;
};

// The program's one wrapper, shared by the main window and the control's
// event callback for the whole run.
extern DrawingControlClass DrawingControl;

// The wrapper's module queues; Connect empties the drawing list.
extern DrawingListQueueType DrawingListQueue;
extern PointQueue WrapperPointQueue;
