// Qt's buttons, modifiers and keys in the controls' terms.
#include <QTest>

#include "qt/input_mapping.h"

using namespace nox;
using namespace nox::detail;

class TestInputMapping : public QObject {
  Q_OBJECT

 private slots:
  void shiftStateJoinsModifiersAndHeldButtons();
  void onlyTheThreeClassicButtonsAreKnown();
  void virtualKeyCodes_data();
  void virtualKeyCodes();
  void typedCharactersAreSingleAsciiCharacters();
};

void TestInputMapping::shiftStateJoinsModifiersAndHeldButtons() {
  QCOMPARE(ShiftStateOf(Qt::NoModifier, Qt::NoButton), TShiftState{});
  QCOMPARE(ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, Qt::NoButton),
           (TShiftState{ssShift, ssCtrl, ssAlt}));
  QCOMPARE(ShiftStateOf(Qt::NoModifier, Qt::LeftButton | Qt::RightButton | Qt::MiddleButton),
           (TShiftState{ssLeft, ssRight, ssMiddle}));
  // Modifiers and buttons the controls have no flag for change nothing.
  QCOMPARE(ShiftStateOf(Qt::MetaModifier | Qt::KeypadModifier, Qt::BackButton), TShiftState{});
}

void TestInputMapping::onlyTheThreeClassicButtonsAreKnown() {
  QCOMPARE(MouseButtonOf(Qt::LeftButton), std::optional<TMouseButton>(mbLeft));
  QCOMPARE(MouseButtonOf(Qt::RightButton), std::optional<TMouseButton>(mbRight));
  QCOMPARE(MouseButtonOf(Qt::MiddleButton), std::optional<TMouseButton>(mbMiddle));
  QVERIFY(!MouseButtonOf(Qt::BackButton));
  QVERIFY(!MouseButtonOf(Qt::ForwardButton));
  QVERIFY(!MouseButtonOf(Qt::NoButton));
}

void TestInputMapping::virtualKeyCodes_data() {
  QTest::addColumn<int>("qtKey");
  QTest::addColumn<int>("code");
  QTest::newRow("A") << int(Qt::Key_A) << int('A');
  QTest::newRow("Z") << int(Qt::Key_Z) << int('Z');
  QTest::newRow("0") << int(Qt::Key_0) << int('0');
  QTest::newRow("9") << int(Qt::Key_9) << int('9');
  QTest::newRow("left") << int(Qt::Key_Left) << int(vkLeft);
  QTest::newRow("up") << int(Qt::Key_Up) << int(vkUp);
  QTest::newRow("right") << int(Qt::Key_Right) << int(vkRight);
  QTest::newRow("down") << int(Qt::Key_Down) << int(vkDown);
  QTest::newRow("tab") << int(Qt::Key_Tab) << int(vkTab);
  QTest::newRow("backtab is Tab") << int(Qt::Key_Backtab) << int(vkTab);
  QTest::newRow("return") << int(Qt::Key_Return) << int(vkReturn);
  QTest::newRow("keypad enter is Return") << int(Qt::Key_Enter) << int(vkReturn);
  QTest::newRow("escape") << int(Qt::Key_Escape) << int(vkEscape);
  QTest::newRow("F1") << int(Qt::Key_F1) << 112;
  QTest::newRow("F24") << int(Qt::Key_F24) << 135;
  QTest::newRow("delete") << int(Qt::Key_Delete) << 46;
  QTest::newRow("shift") << int(Qt::Key_Shift) << 16;
  QTest::newRow("shifted punctuation has none") << int(Qt::Key_Exclam) << 0;
  QTest::newRow("a non-ASCII letter has none") << int(Qt::Key_Adiaeresis) << 0;
  QTest::newRow("F25 has none") << int(Qt::Key_F25) << 0;
  QTest::newRow("unknown") << int(Qt::Key_unknown) << 0;
}

void TestInputMapping::virtualKeyCodes() {
  QFETCH(int, qtKey);
  QFETCH(int, code);
  QCOMPARE(int(VirtualKeyOf(qtKey)), code);
}

void TestInputMapping::typedCharactersAreSingleAsciiCharacters() {
  QCOMPARE(TypedCharOf("a"), 'a');
  QCOMPARE(TypedCharOf("\r"), '\r');
  QCOMPARE(TypedCharOf("\x01"), '\x01');  // Ctrl+A
  QCOMPARE(TypedCharOf(""), '\0');
  QCOMPARE(TypedCharOf("ab"), '\0');
  QCOMPARE(TypedCharOf(QString::fromUtf8("\xC3\xBC")), '\0');  // ü does not fit a narrow character
  QCOMPARE(TypedCharOf(QString(QChar(0x7F))), '\x7F');
  QCOMPARE(TypedCharOf(QString(QChar(0x80))), '\0');
}

QTEST_APPLESS_MAIN(TestInputMapping)
#include "input_mapping_test.moc"
