// The standard control properties as the Qt host honours them, on Qt's offscreen platform: the
// layout rules of Align and Anchors, the widget laid out in a resized parent, Constraints, the
// parent's font, and drag and drop of hosted controls.
#include <QApplication>
#include <QDropEvent>
#include <QTest>
#include <memory>

#include "qt/control_drag.h"
#include "qt/control_layout.h"
#include "qt/control_widget.h"
#include "qt/recording_control.h"

using nox::test::TRecordingControl;

class TestStandardProperties : public QObject {
  Q_OBJECT

 private slots:
  void layoutRules();
  void widgetsFollowTheirResizedParent();
  void constraintsAndParentFontReachTheWidgetAndTheControl();
  void dragsOfHostedControlsReachOverDropAndEnd();
};

void TestStandardProperties::layoutRules() {
  using nox::detail::AlignedRects;
  using nox::detail::AnchoredRect;
  // Room 100 x 80: a top bar 20 high, a left bar 30 wide, a bottom bar 10 high, the client the rest,
  // one item not aligned; a second top bar higher than the room left gets what is left.
  const auto rects = AlignedRects(QRect(0, 0, 100, 80), {{nox::alTop, {5, 20}},
                                                         {nox::alLeft, {30, 5}},
                                                         {nox::alClient, {1, 1}},
                                                         {nox::alBottom, {5, 10}},
                                                         {nox::alNone, {7, 7}},
                                                         {nox::alTop, {5, 500}}});
  const std::vector<QRect> expected = {
      QRect(0, 0, 100, 20), QRect(0, 20, 30, 60), QRect(30, 70, 70, 0), QRect(30, 70, 70, 10), QRect(),
      QRect(30, 20, 70, 50)};
  QCOMPARE(rects, expected);
  // A parent growing by 40 x 20, with each kind of anchoring.
  const QRect at(10, 10, 20, 20);
  const QSize from(100, 100), to(140, 120);
  QCOMPARE(AnchoredRect(at, from, to, {nox::akLeft, nox::akTop}), at);
  QCOMPARE(AnchoredRect(at, from, to, {nox::akRight, nox::akBottom}), QRect(50, 30, 20, 20));
  QCOMPARE(AnchoredRect(at, from, to, {nox::akLeft, nox::akRight, nox::akTop, nox::akBottom}),
           QRect(10, 10, 60, 40));
  QCOMPARE(AnchoredRect(at, from, to, {}), QRect(30, 20, 20, 20));
  QCOMPARE(AnchoredRect(at, to, from, {nox::akLeft, nox::akRight}),
           QRect(10, 0, 0, 20));  // shrinking: the width stops at 0
}

void TestStandardProperties::widgetsFollowTheirResizedParent() {
  QWidget parent;
  parent.resize(200, 100);
  TRecordingControl top(50, 20), client, corner(20, 10);
  auto* topWidget = new nox::TControlWidget(top, &parent);
  auto* clientWidget = new nox::TControlWidget(client, &parent);
  auto* cornerWidget = new nox::TControlWidget(corner, &parent);
  cornerWidget->move(170, 80);
  corner.SetAnchors({nox::akRight, nox::akBottom});
  top.SetAlign(nox::alTop);
  client.SetAlign(nox::alClient);
  QCOMPARE(topWidget->geometry(), QRect(0, 0, 200, 20));
  QCOMPARE(clientWidget->geometry(), QRect(0, 20, 200, 80));
  parent.show();
  QVERIFY(QTest::qWaitForWindowExposed(&parent));
  QCOMPARE(cornerWidget->geometry(), QRect(170, 80, 20, 10));
  parent.resize(300, 150);
  QTRY_COMPARE(topWidget->geometry(), QRect(0, 0, 300, 20));
  QCOMPARE(clientWidget->geometry(), QRect(0, 20, 300, 130));
  QCOMPARE(cornerWidget->geometry(), QRect(270, 130, 20, 10));
  // The controls have the bounds of their widgets.
  QCOMPARE(client.Width(), 300);
  QCOMPARE(client.Top(), 20);
  QCOMPARE(corner.Left(), 270);
}

void TestStandardProperties::constraintsAndParentFontReachTheWidgetAndTheControl() {
  QWidget parent;
  QFont font("Liberation Sans");
  font.setPixelSize(20);
  font.setBold(true);
  parent.setFont(font);
  TRecordingControl control(100, 50);
  auto* widget = new nox::TControlWidget(control, &parent);
  control.Constraints().SetMaxWidth(60);
  control.Constraints().SetMinHeight(70);
  QCOMPARE(widget->maximumWidth(), 60);
  QCOMPARE(widget->minimumHeight(), 70);
  widget->resize(100, 50);
  QCOMPARE(widget->size(), QSize(60, 70));
  QCOMPARE(control.Width(), 60);
  QCOMPARE(control.Height(), 70);
  const int ownHeight = control.Font().Height();
  control.SetParentFont(true);
  QCOMPARE(control.Font().Name(), std::string("Liberation Sans"));
  QCOMPARE(control.Font().Height(), -20);
  QVERIFY(control.Font().Style().Contains(nox::fsBold));
  font.setPixelSize(24);
  parent.setFont(font);  // followed while ParentFont is set
  QCOMPARE(control.Font().Height(), -24);
  control.SetParentFont(false);
  parent.setFont(QFont());
  QCOMPARE(control.Font().Height(), -24);  // kept, not reset to ownHeight
  QVERIFY(ownHeight != -24);
}

void TestStandardProperties::dragsOfHostedControlsReachOverDropAndEnd() {
  // The receiving side, with the events Qt's drag sends.
  TRecordingControl target;
  nox::TControlWidget targetWidget(target);
  TRecordingControl source;
  std::vector<std::string> log;
  target.OnDragOver = [&](nox::TObject*, nox::TObject* what, int x, int y, nox::TDragState state,
                          bool& accept) {
    log.push_back("over " + std::to_string(state) + " " + std::to_string(x) + "," + std::to_string(y));
    accept = what == &source && x < 50;
  };
  target.OnDragDrop = [&](nox::TObject*, nox::TObject*, int x, int y) {
    log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
  };
  const nox::detail::TControlDragData dragged(&source);
  QDragEnterEvent enter(QPoint(10, 12), Qt::MoveAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(&targetWidget, &enter);
  QVERIFY(enter.isAccepted());
  QDragMoveEvent away(QPoint(60, 12), Qt::MoveAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(&targetWidget, &away);
  QVERIFY(!away.isAccepted());
  QDragMoveEvent back(QPoint(20, 14), Qt::MoveAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(&targetWidget, &back);
  QVERIFY(back.isAccepted());
  QDropEvent drop(QPointF(20, 14), Qt::MoveAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(&targetWidget, &drop);
  QVERIFY(drop.isAccepted());
  QCOMPARE(log, (std::vector<std::string>{"over 0 10,12", "over 2 60,12", "over 2 20,14", "drop 20,14"}));
  QCOMPARE(dragged.Target(), &target);
  QCOMPARE(dragged.DropPoint(), (nox::TPoint{20, 14}));
  // Other drags are refused.
  QMimeData text;
  text.setText("x");
  QDragEnterEvent other(QPoint(10, 12), Qt::MoveAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(&targetWidget, &other);
  QVERIFY(!other.isAccepted());

  // The dragging side: an automatic drag starts after Qt's start distance and ends (on the offscreen
  // platform no drop can happen); a press released without that movement reaches the control.
  nox::TControlWidget sourceWidget(source);
  sourceWidget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&sourceWidget));
  source.SetDragMode(nox::dmAutomatic);
  source.OnStartDrag = [&](nox::TObject*, nox::TObject*&) { log.push_back("start"); };
  source.OnEndDrag = [&](nox::TObject*, nox::TObject* to, int, int) {
    log.push_back(to ? "end taken" : "end");
  };
  log.clear();
  source.TakeEvents();
  QTest::mousePress(&sourceWidget, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(&sourceWidget, QPoint(5 + QApplication::startDragDistance(), 5));
  QTest::mouseRelease(&sourceWidget, Qt::LeftButton, {}, QPoint(5 + QApplication::startDragDistance(), 5));
  QCOMPARE(log, (std::vector<std::string>{"start", "end"}));
  QTest::mouseClick(&sourceWidget, Qt::LeftButton, {}, QPoint(7, 8));
  const std::vector<std::string> events = source.TakeEvents();
  QVERIFY(std::find(events.begin(), events.end(), "down mbLeft ssLeft 7,8") != events.end());
  QVERIFY(std::find(events.begin(), events.end(), "up mbLeft - 7,8") != events.end());
}

QTEST_MAIN(TestStandardProperties)
#include "control_standard_properties_test.moc"
