"""What the sample data server's 26 channels broadcast.

Each channel has a theme: a pool of shows with their lengths, the hours they may air and a few
description lines, plus fixed slots (the evening news) that the day is fitted around. A day runs
from the morning to the small hours of the next calendar day, in broadcast order, with times
"00".."04" after midnight. Days are drawn from a random generator seeded by the date and the
channel, so the same request always yields the same bytes.
"""
import collections
import datetime
import random

import listing_file

Channel = collections.namedtuple("Channel", "name code theme")
Show = collections.namedtuple("Show", "title durations descriptions hours")
Theme = collections.namedtuple("Theme", "first_start last_start anchors shows")

HOUR = 60
DAY_END = 29 * HOUR  # 05:00 of the next calendar day ends the TV day


def show(title, durations, *descriptions, hours=(0, DAY_END)):
    return Show(title, durations, descriptions or ("",), hours)


def hours(start, end):
    return (int(start * HOUR), int(end * HOUR))


NEWS = "Päivän tärkeimmät uutiset kotimaasta ja maailmalta."
FILM_DESCRIPTIONS = (
    "Kotimainen elokuva vuodelta 19{year}. Ohjaus: {director}.",
    "Amerikkalainen jännityselokuva. Pääosissa nähdään {actor} ja {actor2}.",
    "Ranskalainen draama rakkaudesta ja menetyksestä. Tekstitys suomeksi.",
    "Ruotsalainen komedia kesästä saaristossa. Ensimmäinen esitys.",
    "Palkittu elokuva, jonka tarina sijoittuu 1950-luvun Helsinkiin.",
    "",
)
FILMS = ("Pohjoisen tähti", "Viimeinen kesä", "Lumen alla", "Kadonnut kaupunki", "Yö satamassa",
         "Kuun varjo", "Rautatieasema", "Syysmyrsky", "Tuulen tytär", "Hiljainen joki",
         "Kultainen kaupunki", "Kaukainen ranta", "Jäinen sydän", "Musta kissa", "Pitkä matka kotiin")
DIRECTORS = ("Aino Virtanen", "Matti Korhonen", "Liisa Nieminen", "Pekka Mäkelä", "Jean Dupont")
ACTORS = ("Anna Laine", "Jussi Heikkinen", "John Miller", "Sara Berg", "Mikko Järvinen", "Eva Lind")

NEWS_SLOTS = (
    (12 * HOUR, show("Uutiset", (10,), NEWS)),
    (17 * HOUR, show("Uutiset ja sää", (15,), NEWS, "Uutiset viittomakielellä.")),
    (20 * HOUR + 30, show("Tv-uutiset ja sää", (30,), NEWS)),
    (23 * HOUR, show("Myöhäisuutiset", (10,), "Illan viimeiset uutiset.")),
)
COMMERCIAL_NEWS = (
    (19 * HOUR + 30, show("Seitsemän uutiset", (25,), NEWS)),
    (22 * HOUR, show("Iltauutiset ja sää", (30,), NEWS, "Uutiset, urheilu ja huomisen sää.")),
)
MOVIE = show("Elokuva: {film}", (90, 95, 105, 110, 120), *FILM_DESCRIPTIONS)
SERIES = show("Kotikadun väki", (25, 30), "Kotimainen draamasarja, jakso {n}.",
              "Naapurit joutuvat vaikeaan tilanteeseen.", hours=hours(17, 24))
# Fills a gap before a fixed slot that no show of the theme fits into.
FILLER = show("Ohjelmatietoja", (5,), "Tietoja tulevista ohjelmista.", "")

THEMES = {
    "yle1": Theme(hours(6, 6.5), hours(24.5, 26), NEWS_SLOTS, (
        show("Aamu-tv", (60, 120), "Uutisia, säätä ja vieraita aamukahvin seuraksi.", hours=hours(6, 9.5)),
        show("Ajankohtainen ilta", (45, 60), "Ajankohtaisohjelma tutkii viikon puheenaiheita.", hours=hours(18, 23)),
        show("Dokumentti: Saariston kesä", (50, 60), "Dokumentti Turun saariston ihmisistä.",
             "Luontodokumentti merikotkan vuodesta."),
        show("Avara maailma", (45, 50), "Luontosarja, jakso {n}: Afrikan savanni.",
             "Jakso {n}: jääkarhujen talvi."),
        show("Puoli seitsemän", (30,), "Arjen ilmiöitä ja hyvää mieltä.", hours=hours(18, 19)),
        show("Opetusohjelma: Ruotsia aikuisille", (25, 30), "Jakso {n}. Aiheena matkustaminen.",
             hours=hours(9, 15)),
        MOVIE, SERIES,
    )),
    "yle2": Theme(hours(6.5, 7), hours(24.5, 25.5), NEWS_SLOTS[:1] + NEWS_SLOTS[3:], (
        show("Pikku Kakkonen", (30, 45), "Lasten omat ohjelmat: piirrettyjä ja askartelua.",
             hours=hours(7, 10)),
        show("Urheiluruutu", (15, 20), "Päivän urheilutapahtumat koosteena.", hours=hours(18, 25)),
        show("Jääkiekko: SM-liiga", (150, 165), "Suora lähetys: {team} - {team2}.", hours=hours(18, 19)),
        show("Hiihdon maailmancup", (90, 120), "Miesten 15 km vapaalla. Selostus: Antti Saari.",
             hours=hours(10, 16)),
        show("Alueuutiset", (15,), "Uutisia omalta alueeltasi.", hours=hours(18, 19.5)),
        show("Nuorten ilta", (30, 45), "Musiikkia, haastatteluja ja kilpailuja.", hours=hours(15, 19)),
        show("Yöelokuva: {film}", (95, 110), *FILM_DESCRIPTIONS, hours=hours(22, 26)),
        SERIES,
    )),
    "mtv3": Theme(hours(5.5, 6.25), hours(25, 26.5), COMMERCIAL_NEWS, (
        show("Aamu-uutiset ja sää", (60, 150), NEWS, hours=hours(5.5, 9)),
        show("Salaiset rakkaudet", (25, 30), "Kotimainen sarja, jakso {n}. Elinan salaisuus paljastuu.",
             hours=hours(18, 19.5)),
        show("Kymppitonni", (30,), "Tietokilpailu, jossa voi voittaa 10 000 €.", hours=hours(19, 21)),
        show("Teleshopping", (30, 60), "Ostoskanava tuo tuotteet kotiisi.", hours=hours(8, 14)),
        show("Sairaalan käytävillä", (45, 50), "Amerikkalainen lääkärisarja, jakso {n}.",
             hours=hours(20, 24)),
        show("Formula 1: Aika-ajot", (90,), "Suora lähetys. Selostajina Matti ja Oskari.",
             hours=hours(14, 16)),
        MOVIE, SERIES,
    )),
    "nelonen": Theme(hours(6.5, 7.5), hours(25, 27), COMMERCIAL_NEWS[1:], (
        show("Aamupäivän sarjat", (60, 120), "Uusintoja viikon sarjoista.", hours=hours(7, 13)),
        show("Poliisit", (25, 30), "Tosi-tv seuraa poliisipartion yötä, jakso {n}.", hours=hours(19, 23)),
        show("Miami Beach", (45, 50), "Amerikkalainen toimintasarja, jakso {n}.", hours=hours(16, 24)),
        show("Nelosen uutiset", (15,), NEWS, hours=hours(18.75, 19)),
        show("Iltapäivän elokuva: {film}", (90, 100), *FILM_DESCRIPTIONS, hours=hours(13, 16)),
        MOVIE,
    )),
    "subtv": Theme(hours(7, 8), hours(25, 27), (), (
        show("Musiikkivideoita", (30, 60, 120), "Uusimmat videot kotimaasta ja ulkomailta."),
        show("Kämppikset", (25, 30), "Amerikkalainen komediasarja, jakso {n}.", hours=hours(12, 24)),
        show("Pelipäivä", (30,), "Uusimmat konsolipelit testissä.", hours=hours(15, 20)),
        show("Animaatiot", (25,), "Piirrettyjä nuorille aikuisille.", hours=hours(20, 27)),
        show("Treffit", (45,), "Tosi-tv: kuka löytää parin?", hours=hours(19, 23)),
    )),
    "film": Theme(hours(6, 8), hours(26, 28), (), (
        MOVIE,
        show("Ensi-ilta: {film}", (100, 115, 125), *FILM_DESCRIPTIONS, hours=hours(20, 22)),
        show("Elokuvien taustaa", (15, 25), "Kurkistus kulisseihin: näin syntyi {film}."),
        show("Lasten elokuva: {film}", (80, 85), "Perheen pienimmille.", hours=hours(8, 18)),
    )),
    "classic": Theme(hours(7, 9), hours(25, 27.5), (), (
        show("Klassikko: {film}", (90, 100, 110), *FILM_DESCRIPTIONS),
        show("Mustavalkoinen klassikko: {film}", (80, 95), "Elokuva vuodelta 19{year}. Ohjaus: {director}."),
        show("Tähtien tarinoita", (25, 30), "Henkilökuva: {actor}."),
    )),
    "youth": Theme(hours(8, 10), hours(25, 27), (), (
        show("Kuu-klubi", (60, 90), "Suora lähetys: soita ja voita!"),
        show("Chat-tv", (60, 120), "Katsojien viestit ruudulla.", hours=hours(22, 28.5)),
        show("Peliareena", (30, 45), "Uudet pelit ja katsojien ennätykset."),
        show("Musiikkivideoita", (30, 60), "Listahitit ja toiveet."),
    )),
    "svt": Theme(hours(6, 7), hours(24.5, 25.5), (
        (18 * HOUR, show("Rapport", (30,), "Ruotsinkielinen uutislähetys.")),
        (21 * HOUR, show("Aktuellt", (45,), "Uutiset ja ajankohtaisohjelma ruotsiksi.")),
    ), (
        show("Morgonstudion", (120, 180), "Aamulähetys ruotsiksi.", hours=hours(6, 9.5)),
        show("Bolibompa", (30, 45), "Lasten ohjelmia ruotsiksi.", hours=hours(17, 18)),
        show("Sportnytt", (15,), "Urheilu-uutiset.", hours=hours(19, 24)),
        show("Dokumentär: Norrland", (50, 60), "Dokumentti Pohjois-Ruotsin metsistä."),
        show("Svensk film: {film}", (90, 105), *FILM_DESCRIPTIONS),
        show("Gomorron Sverige", (60,), "Uusinta aamun ohjelmasta.", hours=hours(9.5, 14)),
    )),
    "tv4": Theme(hours(6, 7), hours(25, 26.5), (
        (22 * HOUR, show("Nyheterna", (20,), "Uutiset ruotsiksi.")),
    ), (
        show("Nyhetsmorgon", (120, 180), "Aamun uutisia ja vieraita.", hours=hours(6, 9.5)),
        show("Bingolotto", (60, 90), "Ruotsalainen bingo-ohjelma.", hours=hours(18, 20)),
        show("Amerikkalainen sarja", (25, 45), "Jakso {n}."),
        MOVIE,
    )),
    "sport": Theme(hours(7, 8.5), hours(24.5, 26.5), (), (
        show("Jalkapallo: Valioliiga", (110, 120), "{team} - {team2}. Selostus englanniksi."),
        show("Tennis: Grand Slam", (120, 180), "Suora lähetys keskuskentältä."),
        show("Yleisurheilu", (90, 120), "Kansainväliset kisat. Mukana suomalaisia."),
        show("Mäkihyppy: maailmancup", (90,), "Suurmäen kilpailu, toinen kierros."),
        show("Eurosport-uutiset", (15,), "Päivän tulokset koosteena."),
        show("Moottoriurheilu", (60,), "Ralliautoilun MM-sarjan katsaus."),
    )),
    "music": Theme(hours(5, 6), hours(26, 28.5), (), (
        show("Non Stop Hits", (60, 120), "Uusimmat musiikkivideot tauotta."),
        show("Top 20", (60,), "Viikon listaykköset."),
        show("Unplugged", (45, 60), "Akustinen konsertti."),
        show("Yömusiikkia", (120, 180), "Rauhallista musiikkia yön tunteihin.", hours=hours(24, 28.5)),
        show("Haastattelu", (30,), "Vuoden tulokas kertoo uudesta levystään."),
    )),
    "bbc": Theme(hours(5, 5.5), hours(27, 28.5), (), (
        show("World News", (15, 30), "Uutisia maailmalta englanniksi."),
        show("HARDtalk", (25, 30), "Haastatteluohjelma englanniksi."),
        show("Business Report", (15,), "Talousuutiset englanniksi."),
        show("Asia Today", (30,), "Ajankohtaista Aasiasta."),
        show("Click", (30,), "Tekniikan uutiset englanniksi."),
    )),
    "discovery": Theme(hours(6, 7), hours(25, 27), (), (
        show("Villi luonto", (50, 60), "Dokumenttisarja, jakso {n}: sademetsän yöt."),
        show("Tekniikan ihmeet", (30, 60), "Näin rakennetaan maailman pisin silta."),
        show("Historian arvoitukset", (50, 60), "Mitä tapahtui kadonneelle laivastolle?"),
        show("Autokorjaamo", (30,), "Vanha auto kunnostetaan, jakso {n}."),
        show("Avaruuden salat", (50,), "Dokumentti tähdistä ja planeetoista."),
    )),
    "cartoon": Theme(hours(5, 6), hours(24, 25.5), (), (
        show("Piirretyt", (25, 30, 60), "Klassisia piirrettyjä koko perheelle."),
        show("Kissa ja hiiri", (15, 25), "Animaatiosarja, jakso {n}."),
        show("Avaruusseikkailu", (25,), "Animaatiosarja, jakso {n}."),
        show("Lauantaiaamun piirretyt", (120,), "Kolme tuntia piirrettyjä.", hours=hours(6, 9)),
    )),
    "rtl": Theme(hours(5.5, 6.5), hours(25, 27), (
        (18 * HOUR + 45, show("RTL Aktuell", (15,), "Saksankieliset uutiset.")),
    ), (
        show("Punkt 6", (60, 180), "Aamun uutisia saksaksi.", hours=hours(5.5, 9)),
        show("Saksalainen saippuasarja", (25, 30), "Jakso {n}."),
        show("Gerichtsshow", (60,), "Oikeussalisarja saksaksi.", hours=hours(9, 16)),
        show("Saksalainen elokuva: {film}", (90, 105), *FILM_DESCRIPTIONS),
    )),
    "radio_youth": Theme(hours(5, 6), hours(27, 28.75), (), (
        show("Aamumafia", (120, 180), "Musiikkia ja juttuja aamuun.", hours=hours(5, 10)),
        show("Listalla", (60,), "Viikon kuunnelluimmat kappaleet."),
        show("Levyraati", (60,), "Raati arvioi uudet levyt."),
        show("Yömafia", (120, 180), "Musiikkia aamuun asti.", hours=hours(23, 28.75)),
    )),
    "radio_culture": Theme(hours(5, 6), hours(26, 28.75), (
        (12 * HOUR, show("Radiouutiset", (15,), NEWS)),
        (18 * HOUR, show("Radiouutiset", (15,), NEWS)),
    ), (
        show("Kuunnelma", (45, 60), "Kotimainen kuunnelma, osa {n}."),
        show("Konsertti", (90, 120), "Radion sinfoniaorkesteri soittaa Sibeliusta."),
        show("Tiedeykkönen", (30, 45), "Tiedeohjelma, aiheena {topic}."),
        show("Iltasatu", (15,), "Satu lapsille.", hours=hours(19, 20)),
    )),
    "radio_general": Theme(hours(5, 5.5), hours(26, 28.75), (
        (7 * HOUR, show("Aamun uutiset", (10,), NEWS)),
        (12 * HOUR, show("Päivän uutiset", (10,), NEWS)),
        (17 * HOUR, show("Iltapäivän uutiset", (10,), NEWS)),
    ), (
        show("Toivekonsertti", (60, 90), "Kuulijoiden toivomaa musiikkia."),
        show("Maakuntaradio", (60, 120), "Alueen omat lähetykset.", hours=hours(6, 18)),
        show("Iskelmätunti", (60,), "Suomalaista iskelmää vuosien varrelta."),
        show("Urheiluradio", (60, 120), "Suorat selostukset illan otteluista.", hours=hours(18, 22)),
    )),
    "radio_rock": Theme(hours(5, 6), hours(27, 28.75), (), (
        show("Rock-aamu", (120, 180), "Raskaampaa musiikkia aamuun.", hours=hours(5, 10)),
        show("Metalliradio", (60, 120), "Uusinta metallia kotimaasta ja ulkomailta."),
        show("Keikkakalenteri", (30,), "Viikon keikat Suomessa."),
    )),
}

CHANNELS = [Channel(*row) for row in (
    ("TV1", "01", "yle1"), ("TV2", "02", "yle2"), ("MTV3", "03", "mtv3"),
    ("Nelonen", "04", "nelonen"), ("Subtv", "05", "subtv"), ("Canal+", "10", "film"),
    ("Canal+ Gold", "11", "classic"), ("Canal+ Sininen", "12", "film"), ("TV1000", "13", "film"),
    ("Cinema", "14", "classic"), ("Moon TV", "20", "youth"), ("SVT 1", "21", "svt"),
    ("SVT 2", "22", "svt"), ("SVT Europa", "23", "svt"), ("TV4 Nordisk", "24", "tv4"),
    ("Eurosport", "25", "sport"), ("MTV Europe", "26", "music"), ("BBC World", "27", "bbc"),
    ("VH-1", "28", "music"), ("Discovery", "29", "discovery"), ("TNT Cartoon", "30", "cartoon"),
    ("RTL", "31", "rtl"), ("Radiomafia", "50", "radio_youth"), ("Radio Yle 1", "51", "radio_culture"),
    ("Radio Suomi", "52", "radio_general"), ("Radio Extrem", "53", "radio_rock"),
)]
CHANNEL_BY_CODE = {channel.code: channel for channel in CHANNELS}

TEAMS = ("HIFK", "Tappara", "Kärpät", "TPS", "Ilves", "Jokerit", "Arsenal", "Liverpool")
TOPICS = ("revontulet", "muuttolinnut", "Itämeren tila", "aivotutkimus")


def fill(text, rng):
    actor, actor2 = rng.sample(ACTORS, 2)
    team, team2 = rng.sample(TEAMS, 2)
    return text.format(n=rng.randint(1, 120), film=rng.choice(FILMS), year=rng.randint(40, 99),
                       director=rng.choice(DIRECTORS), actor=actor, actor2=actor2, team=team,
                       team2=team2, topic=rng.choice(TOPICS))


def five_minute_step(rng, bounds):
    low, high = bounds
    return rng.randrange(low, high + 1, 5) if high > low else low


def clock_text(minutes):
    return f"{(minutes // HOUR) % 24:02d}:{minutes % HOUR:02d}"


def next_anchor(anchors, minutes):
    return min([DAY_END] + [anchor for anchor in anchors if minutes < anchor])


def pick_programme(theme, minutes, gap, previous, rng):
    """A show that fits the gap, is not the one just before and, where possible, suits the hour."""
    fitting = [item for item in theme.shows if item is not previous and min(item.durations) <= gap]
    suitable = [item for item in fitting if item.hours[0] <= minutes < item.hours[1]]
    if not fitting:
        return FILLER, min(gap, HOUR)
    item = rng.choice(suitable or fitting)
    return item, rng.choice([duration for duration in item.durations if duration <= gap])


def sample_day(channel, date, seed=0):
    """(time, title, description) triples from the morning of `date` to before 05:00 next day."""
    theme = THEMES[channel.theme]
    rng = random.Random(f"{date.isoformat()}/{channel.code}/{seed}")
    anchors = dict(theme.anchors)
    minutes = five_minute_step(rng, theme.first_start)
    last_start = min(five_minute_step(rng, theme.last_start), DAY_END - 5)
    programmes = []
    previous = None
    while minutes <= last_start:
        if minutes in anchors:
            item, duration = anchors[minutes], anchors[minutes].durations[0]
        else:
            item, duration = pick_programme(theme, minutes, next_anchor(anchors, minutes) - minutes,
                                            previous, rng)
        programmes.append((clock_text(minutes), fill(item.title, rng),
                           fill(rng.choice(item.descriptions), rng)))
        minutes = min(minutes + duration, next_anchor(anchors, minutes))
        previous = item
    return programmes


def week_listing(code, monday, seed=0):
    """The bytes of listing file CC-WW for the channel with `code` and the week of `monday`."""
    channel = CHANNEL_BY_CODE[code]
    records = []
    for offset in range(7):
        date = monday + datetime.timedelta(days=offset)
        text = listing_file.day_text(sample_day(channel, date, seed))
        records.append((listing_file.record_key(date, code), text))
    return listing_file.file_bytes(records)
