#include "TestMain.h"
#include "wire/NumericText.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The numeric test applied to typed text, and the digit patterns that turn
// numbers into the fixed-width fields of a command.
class tst_NumericText : public QObject
{
    Q_OBJECT

private slots:
    void numericTest_data();
    void numericTest();
    void digitPattern_data();
    void digitPattern();
};

void tst_NumericText::numericTest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("whole number") << u"5"_s << true << 5.0;
    QTest::newRow("surrounding blanks") << u" 12 "_s << true << 12.0;
    QTest::newRow("plus sign") << u"+5"_s << true << 5.0;
    QTest::newRow("minus sign") << u"-3"_s << true << -3.0;
    QTest::newRow("one point") << u"12.5"_s << true << 12.5;
    QTest::newRow("ends with the point") << u"7."_s << true << 7.0;
    QTest::newRow("starts with the point") << u".5"_s << true << 0.5;
    QTest::newRow("exponent") << u"1.5e3"_s << true << 1500.0;
    QTest::newRow("capital exponent with sign") << u"2E+2"_s << true << 200.0;
    QTest::newRow("negative exponent") << u"25e-1"_s << true << 2.5;
    QTest::newRow("value box start-up text") << u"00000.0"_s << true << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("blanks only") << u"   "_s << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("point alone") << u"."_s << false << 0.0;
    QTest::newRow("two points") << u"1.2.3"_s << false << 0.0;
    QTest::newRow("exponent without digits") << u"1e"_s << false << 0.0;
    QTest::newRow("exponent alone") << u"e5"_s << false << 0.0;
    QTest::newRow("sign alone") << u"-"_s << false << 0.0;
    QTest::newRow("two signs") << u"+-3"_s << false << 0.0;
    QTest::newRow("blank inside") << u"1 2"_s << false << 0.0;
    QTest::newRow("trailing letter") << u"12a"_s << false << 0.0;
    QTest::newRow("comma as point") << u"1,5"_s << false << 0.0;
    QTest::newRow("overflows a double") << u"1e999"_s << false << 0.0;
    QTest::newRow("negative overflow") << u"-1e999"_s << false << 0.0;
    QTest::newRow("overflow written with a fraction") << u"0.1e310"_s << false << 0.0;
    QTest::newRow("overflow with a huge exponent") << u"1e99999999999999999999"_s << false << 0.0;
    QTest::newRow("smallest denormal") << u"5e-324"_s << true << 5e-324;
    QTest::newRow("underflow") << u"1e-400"_s << true << 0.0;
    QTest::newRow("below half the smallest denormal") << u"2e-324"_s << true << 0.0;
    QTest::newRow("negative underflow") << u"-1e-400"_s << true << -0.0;
    QTest::newRow("underflow written with a large mantissa") << u"12345.6e-340"_s << true << 0.0;
    QTest::newRow("underflow with a huge exponent") << u"1e-99999999999999999999"_s << true << 0.0;
}

void tst_NumericText::numericTest()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    QCOMPARE(numeric::isNumber(text), isNumber);
    const std::optional<double> parsed = numeric::parseNumber(text);
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*parsed, value);
}

void tst_NumericText::digitPattern_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("intDigits");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("00000, padded") << 5.0 << 5 << 0 << u"00005"_s;
    QTest::newRow("000, padded") << 7.0 << 3 << 0 << u"007"_s;
    QTest::newRow("000, full width") << 255.0 << 3 << 0 << u"255"_s;
    QTest::newRow("00, padded") << 1.0 << 2 << 0 << u"01"_s;
    QTest::newRow("00, three digits shown in full") << 120.0 << 2 << 0 << u"120"_s;
    QTest::newRow("0000.0") << 12.3 << 4 << 1 << u"0012.3"_s;
    QTest::newRow("0000.0, below one") << 0.5 << 4 << 1 << u"0000.5"_s;
    QTest::newRow("0000.0, write example") << 100.0 << 4 << 1 << u"0100.0"_s;
    QTest::newRow("000.00, trailing zero kept") << 1.5 << 3 << 2 << u"001.50"_s;
    QTest::newRow("000.00, negative") << -1.25 << 3 << 2 << u"-001.25"_s;
    QTest::newRow("00.000, more integer digits") << 1500.0 << 2 << 3 << u"1500.000"_s;
    QTest::newRow("0.0000") << 1.23456 << 1 << 4 << u"1.2346"_s;
    QTest::newRow("0.0000, zero") << 0.0 << 1 << 4 << u"0.0000"_s;
    QTest::newRow("00000, zero") << 0.0 << 5 << 0 << u"00000"_s;
    QTest::newRow("00000, negative") << -3.0 << 5 << 0 << u"-00003"_s;
    QTest::newRow("0000.0, more integer digits") << 12345.6 << 4 << 1 << u"12345.6"_s;
    QTest::newRow("00000, six digits") << 123456.0 << 5 << 0 << u"123456"_s;
    QTest::newRow("00000, twenty-one digits") << 1e20 << 5 << 0 << u"100000000000000000000"_s;
    QTest::newRow("half rounds up") << 2.5 << 5 << 0 << u"00003"_s;
    QTest::newRow("negative half rounds away from zero") << -2.5 << 5 << 0 << u"-00003"_s;
    QTest::newRow("below half rounds down") << 2.4999 << 5 << 0 << u"00002"_s;
    QTest::newRow("half of the last decimal") << 0.125 << 3 << 2 << u"000.13"_s;
    QTest::newRow("negative half of the last decimal") << -0.125 << 3 << 2 << u"-000.13"_s;
    QTest::newRow("typed half rounds as read") << 1.005 << 3 << 2 << u"001.01"_s;
    QTest::newRow("half carries into a new digit") << 99999.5 << 5 << 0 << u"100000"_s;
    QTest::newRow("carry through the point") << 999.95 << 4 << 1 << u"1000.0"_s;
    QTest::newRow("carry through every decimal") << 9.99995 << 1 << 4 << u"10.0000"_s;
    QTest::newRow("address half rounds up") << 254.5 << 3 << 0 << u"255"_s;
    QTest::newRow("2^53 in full") << 9007199254740992.0 << 5 << 0 << u"9007199254740992"_s;
    QTest::newRow("1e23 from its shortest text") << 1e23 << 5 << 0 << u"100000000000000000000000"_s;
    QTest::newRow("twenty typed digits, shortest text")
        << 12345678901234567890.0 << 5 << 0 << u"12345678901234567000"_s;
    QTest::newRow("1e300, one and zeros")
        << 1e300 << 5 << 1 << u"1"_s + QString(300, u'0') + u".0"_s;
    QTest::newRow("tiny number, decimals only") << 1e-7 << 1 << 4 << u"0.0000"_s;
    QTest::newRow("tiny number rounds up into the decimals") << 5e-5 << 1 << 4 << u"0.0001"_s;
}

void tst_NumericText::digitPattern()
{
    QFETCH(double, value);
    QFETCH(int, intDigits);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(numeric::formatDigits(value, intDigits, decimals), text);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_NumericText)
#include "tst_NumericText.moc"
