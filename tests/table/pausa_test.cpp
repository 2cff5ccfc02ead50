#include <gtest/gtest.h>

#include "pausa.h"

using namespace trelva;

namespace {
// A clock of seconds since midnight that moves on by `passo` at every reading.
struct OrologioFinto {
    double adesso;
    double passo;
    int letture = 0;
    double operator()()
    {
        ++letture;
        const double t = adesso;
        adesso += passo;
        if (adesso >= secondiAlGiorno)
            adesso -= secondiAlGiorno;
        return t;
    }
};
} // namespace

TEST(PausaDelTitolo, FinisceAllaPrimaLetturaOltreQuattroSecondi)
{
    OrologioFinto o{1000.0, 0.5};
    std::vector<double> attese;
    EXPECT_TRUE(pausaDelTitolo([&] { return o(); }, [&](double m) { attese.push_back(m); }, [] { return false; }));
    // Readings at +0.5 ... +4.0 wait again; +4.5 is the first beyond four seconds.
    EXPECT_EQ(o.letture, 10);
    ASSERT_EQ(attese.size(), 8u);
    EXPECT_DOUBLE_EQ(attese.front(), 3.5);
    EXPECT_DOUBLE_EQ(attese.back(), 0.0) << "exactly four seconds is not yet enough";
}

TEST(PausaDelTitolo, SopravviveAllaMezzanotte)
{
    for (double inizio : {86398.0, 86399.5, 86396.25}) {
        OrologioFinto o{inizio, 0.25};
        int attese = 0;
        EXPECT_TRUE(pausaDelTitolo([&] { return o(); }, [&](double) { ++attese; }, [] { return false; }));
        EXPECT_EQ(attese, 16) << inizio;
    }
    EXPECT_DOUBLE_EQ(trascorsi(86399.5, 3.5), 4.0);
    EXPECT_DOUBLE_EQ(trascorsi(10, 10), 0.0);
}

TEST(PausaDelTitolo, UnaChiusuraLaInterrompe)
{
    OrologioFinto o{0, 0.1};
    int attese = 0;
    EXPECT_FALSE(pausaDelTitolo([&] { return o(); }, [&](double) { ++attese; }, [&] { return attese == 3; }));
    EXPECT_EQ(attese, 3);
}
