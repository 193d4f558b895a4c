// The language rules every handler relies on: reading numbers from text, writing them back,
// whole-number conversions and resume-next error handling.

#include "language/vb.h"

#include <QTest>

#include <cmath>
#include <limits>

using vb::Precision;

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("counter") << "248" << 248.0;
        QTest::newRow("leading blank") << " 4" << 4.0;
        QTest::newRow("blanks inside") << "1 2 3" << 123.0;
        QTest::newRow("tab and line feed") << "\t1\n2" << 12.0;
        QTest::newRow("fraction") << "2.5" << 2.5;
        QTest::newRow("stops at letter") << "12abc" << 12.0;
        QTest::newRow("not a number") << "abc" << 0.0;
        QTest::newRow("negative") << "-5880" << -5880.0;
        QTest::newRow("exponent") << "1E3" << 1000.0;
        QTest::newRow("D exponent") << "2D2" << 200.0;
        QTest::newRow("dangling exponent") << "7E" << 7.0;
        QTest::newRow("hex") << "&HFF" << 255.0;
        QTest::newRow("hex 16-bit wraps") << "&HFFFF" << -1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("carriage return stops") << "5\r6" << 5.0;
        QTest::newRow("plus sign") << "+5" << 5.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("too small for a double") << "1E-400" << 0.0;
        QTest::newRow("smallest double") << "5E-324" << 5e-324;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(vb::val(text.toStdString()), expected);
    }

    void str_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 250.0 << false << "250";
        QTest::newRow("fraction") << 3.5 << false << "3.5";
        QTest::newRow("below one") << 0.5 << false << "0.5";
        QTest::newRow("negative") << -5880.0 << true << "-5880";
        QTest::newRow("negative zero") << -0.0 << false << "0";
        QTest::newRow("15 digits") << 123456789012345.0 << false << "123456789012345";
        QTest::newRow("16 digits go exponent") << 1e15 << false << "1E+15";
        QTest::newRow("small goes exponent") << 0.00001 << false << "1E-05";
        QTest::newRow("single 7 digits") << 5150.0 << true << "5150";
        QTest::newRow("single rounds") << 1.0 / 3 << true << "0.3333333";
        QTest::newRow("single large") << 12345678.0 << true << "1.234568E+07";
        QTest::newRow("double third") << 1.0 / 3 << false << "0.333333333333333";
    }
    void str()
    {
        QFETCH(double, value);
        QFETCH(bool, single);
        QFETCH(QString, expected);
        QCOMPARE(
            QString::fromStdString(vb::str(value, single ? Precision::Single : Precision::Double)),
            expected);
    }

    void toLong_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("half to even 0.5") << 0.5 << 0 << 0;
        QTest::newRow("half to even 1.5") << 1.5 << 2 << 0;
        QTest::newRow("half to even 2.5") << 2.5 << 2 << 0;
        QTest::newRow("half to even 3.5") << 3.5 << 4 << 0;
        QTest::newRow("negative half") << -2.5 << -2 << 0;
        QTest::newRow("near tie") << 28.4999 << 28 << 0;
        QTest::newRow("max") << 2147483647.0 << 2147483647 << 0;
        QTest::newRow("min") << -2147483648.0 << int(-2147483648LL) << 0;
        QTest::newRow("above range") << 2147483648.0 << 0 << 6;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 0 << 6;
        QTest::newRow("nan") << std::nan("") << 0 << 6;
    }
    void toLong()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QFETCH(int, error);
        try {
            QCOMPARE(vb::toLong(value), expected);
            QCOMPARE(error, 0);
        } catch (const vb::RuntimeError& e) {
            QCOMPARE(e.number(), error);
        }
    }

    void conversionsFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("counter") << "250" << 250 << 0;
        QTest::newRow("blanks around") << " 12 " << 12 << 0;
        QTest::newRow("fraction rounds") << "2.5" << 2 << 0;
        QTest::newRow("empty") << "" << 0 << 13;
        QTest::newRow("letters") << "abc" << 0 << 13;
        QTest::newRow("trailing letters") << "12abc" << 0 << 13;
        QTest::newRow("huge") << "1E40" << 0 << 6;
        QTest::newRow("beyond a double") << "1E400" << 0 << 6;
    }
    void conversionsFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(int, error);
        try {
            QCOMPARE(vb::toLong(std::string_view(text.toStdString())), expected);
            QCOMPARE(error, 0);
        } catch (const vb::RuntimeError& e) {
            QCOMPARE(e.number(), error);
        }
    }

    void byteAndInteger()
    {
        QCOMPARE(vb::toByte(250), std::uint8_t(250));
        QCOMPARE(vb::toByte(254.5), std::uint8_t(254));
        QCOMPARE(vb::toInteger(-32768), std::int16_t(-32768));
        for (double bad : { -1.0, 256.0, 255.5 + 1 }) {
            try {
                vb::toByte(bad);
                QFAIL("expected Overflow");
            } catch (const vb::RuntimeError& e) {
                QCOMPARE(e.number(), 6);
            }
        }
        QVERIFY_THROWS_EXCEPTION(vb::RuntimeError, vb::toInteger(32768));
    }

    void arithmetic()
    {
        QCOMPARE(vb::mod(360, 360), 0);
        QCOMPARE(vb::mod(-370, 360), -10);
        QCOMPARE(vb::mod(10.5, 360), 10); // rounded half to even first
        QCOMPARE(vb::mod(-2147483648.0, -1), 0);
        QCOMPARE(vb::divide(15360, 15), 1024.0);
        try {
            vb::divide(1, 0);
            QFAIL("expected Division by zero");
        } catch (const vb::RuntimeError& e) {
            QCOMPARE(e.number(), 11);
        }
        try {
            vb::divide(0, 0);
            QFAIL("expected Overflow");
        } catch (const vb::RuntimeError& e) {
            QCOMPARE(e.number(), 6);
        }
    }

    void errorReport()
    {
        QCOMPARE(QString::fromStdString(vb::RuntimeError(6).report()),
            QStringLiteral("Run-time error '6':\r\n\r\nOverflow"));
        QCOMPARE(QString::fromStdString(vb::RuntimeError(13).report()),
            QStringLiteral("Run-time error '13':\r\n\r\nType mismatch"));
    }

    void resumeNext()
    {
        const vb::ResumeNext next;
        int steps = 0;
        next([&] { vb::raise(6); });
        next([&] { ++steps; });
        QCOMPARE(steps, 1);
        // A failing If test runs the body.
        QVERIFY(next.test([]() -> bool { vb::raise(13); }));
        QVERIFY(!next.test([] { return false; }));
        // Other exceptions are not the language's errors and are not swallowed.
        QVERIFY_THROWS_EXCEPTION(std::logic_error, next([] { throw std::logic_error("bug"); }));
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "test_language.moc"
