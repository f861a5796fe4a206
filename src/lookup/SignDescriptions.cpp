// SPDX-License-Identifier: MIT
#include "lookup/modPlanetSign.h"

#include "lookup/ZodiacSign.h"

#include <QStringView>

#include <array>

namespace modPlanetSign {

namespace {

// One paragraph per sign, in zodiac order; each is a single line that the result window wraps.
constexpr std::array<QStringView, detail::signCount> paragraphs = {
    // Aries
    u"You are very confident in romantic relationships. You are expressive about your feelings "
    u"and demonstrate your love. You are very cheerful, enthusiastic and outgoing by nature. "
    u"Love is more of a conquest that you must win. But learn to look more deeply into a "
    u"relationship before wanting to get out of it.",
    // Taurus
    u"You have a very straightforward approach towards love and romance. You are usually fun to "
    u"be with and very easy-going. You believe in sincere and loyal relationships that last "
    u"forever but see that you don't get possessive or jealous. You may have a taste for the "
    u"luxuries in life.",
    // Gemini
    u"You attract a lot of people because of your ability to hold good conversations. You may be "
    u"more of a flirt. You find it difficult to settle down in one relationship. Change is the "
    u"only thing constant in your life. You need to be mentally happy to be able to stay in a "
    u"relationship.",
    // Cancer
    u"You are very sensitive by nature and tend to get easily hurt in relationships. You are "
    u"very compassionate and are usually the nurturing part of the relationship. You would like "
    u"your partner to express his/ her love. You need to be less sensitive and less emotionally "
    u"demanding if you want your relationship to work out.",
    // Leo
    u"You are very showy about your relationships but in fact you are very warm and loving. You "
    u"are very expressive and have a magnetic charm that attracts people to you. You love to "
    u"lavish your partner with luxuries and gifts. You believe in a single and stable "
    u"relationship and take break ups very hard.",
    // Virgo
    u"You are extra careful about your relationships and tend to over analyze any relationship. "
    u"You tend to be extra cautious about a romantic affiliation and this makes people think "
    u"that you are extra shy. But you are very committed and devoted once you settle down in a "
    u"relationship.",
    // Libra
    u"You are very romantic by nature and tend to understand the feelings of your partners very "
    u"well. You fall in love easily and set very high standards in a relationship. This is one "
    u"of the most seductive signs. But you will also be ready to make any sacrifice for your "
    u"love.",
    // Scorpio
    u"You share very passionate relationships. You are very direct and to the point and may get "
    u"possessive or jealous if you are not careful. You approach everything with a lot of "
    u"intense passion. You like to be the controlling half.",
    // Sagittarius
    u"You have a very happy and outgoing nature. But you don't have the tendency to get into "
    u"serious relationships. You prefer casual relationships and scared to get committed as this "
    u"may mean loss of freedom to you. You are a good friend and that's the key to your "
    u"relationship.",
    // Capricorn
    u"You are basically shy and not very expressive about your feelings. You do not believe in "
    u"public display of affection and very restrained. You may fear rejection. You believe in a "
    u"single relationship and are a very loyal and dependable partner.",
    // Aquarius
    u"You may be very aloof in romantic relationships. More than your happiness you are worried "
    u"about the feelings of family and friends. You can be very popular and friendly but never "
    u"display your emotions. You believe in absolute freedom and will not be held down by your "
    u"partner.",
    // Pisces
    u"You are very soft and loving by nature. You may search for a deeper meaning in your "
    u"relationships. You are very vulnerable and dependent on your partner. Your sensitiveness "
    u"may lead to you getting hurt. You have true love for art, music and poetry.",
};

} // namespace

std::optional<QString> SignDescription(const QString &sign)
{
    for (std::size_t i = 0; i < detail::signNames.size(); ++i) {
        if (sign == detail::signNames[i])
            return paragraphs[i].toString();
    }
    return std::nullopt;
}

} // namespace modPlanetSign
