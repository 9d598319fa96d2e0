#!/usr/bin/env python3
"""ad-data.py BASE_DN REALM - prints the people, groups and branches of the Active Directory test
directory as LDIF, the same every time.

3000 people (sAMAccountName m0000 to m2999) below OU=Mitarbeiter, 1000 in each of the branches
Berlin (German names), Athen (Greek names) and Istanbul (Turkish names), each split into four
teams (OU=Team 1 to OU=Team 4, 250 people each). Person N has:
  - cn "Given Surname NNNN", or "Surname, Given NNNN" (a DN holding "\\,") when N % 4 == 1;
  - givenName, sn, displayName, userPrincipalName mNNNN@realm, mail mNNNN@realm (lower case);
  - telephoneNumber "+49 30 1234 NNNN";
  - when N % 3 == 0 two otherTelephone and two otherMailbox values;
  - when N % 10 == 0 a jpegPhoto (a 16x16 JPEG), when N % 10 == 5 a thumbnailPhoto (a 12x12 PNG);
  - when N % 20 == 0 a userCertificate (a DER certificate).
Groups below OU=Gruppen: "Alle Mitarbeiter" (members m0000 to m1999, 2000 in all), "Leitung"
(m0000, m1000, m2000) and "Verteiler", whose members are the groups "Alle Mitarbeiter" and
"Leitung" (a group in a group).
"""
import base64
import sys

PEOPLE = 3000
BIG_GROUP = 2000

JPEG = base64.b64decode(
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAYEBQYFBAYGBQYHBwYIChAKCgkJChQODwwQFxQYGBcU"
    "FhYaHSUfGhsjHBYWICwgIyYnKSopGR8tMC0oMCUoKSj/2wBDAQcHBwoIChMKChMoGhYaKCgoKCgo"
    "KCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCj/wAARCAAQABADASIA"
    "AhEBAxEB/8QAFgABAQEAAAAAAAAAAAAAAAAAAAUG/8QAFhAAAwAAAAAAAAAAAAAAAAAAABNh/8QA"
    "FAEBAAAAAAAAAAAAAAAAAAAABf/EABYRAAMAAAAAAAAAAAAAAAAAAAAWYf/aAAwDAQACEQMRAD8A"
    "x76H0lPofRJaguwU/9k=")
PNG = base64.b64decode(
    "iVBORw0KGgoAAAANSUhEUgAAAAwAAAAMEAIAAACJhxfzAAAAP0lEQVQoz2NUUFiwwMGBgWLAIvyH"
    "3VdAgBoG/eagkkFUc9Fg9JoflVxEJa8J/Rl0sUYlrzF++PDhw4cPlBsEAId3FuifmCihAAAAAElF"
    "TkSuQmCC")
CERTIFICATE = base64.b64decode(
    "MIIBkjCCATegAwIBAgIUIsjD4xRwnJjyHR+f7nQG00qILdcwCgYIKoZIzj0EAwIwHjEcMBoGA1UE"
    "AwwTQ29ydmFuZSBNaXRhcmJlaXRlcjAeFw0yNjEyMDgwODEyMzFaFw0zNjEyMDUwODEyMzFaMB4x"
    "HDAaBgNVBAMME0NvcnZhbmUgTWl0YXJiZWl0ZXIwWTATBgcqhkjOPQIBBggqhkjOPQMBBwNCAAR2"
    "olhh8BJ/NWjXCn1QC1d6J7KHhVyw0P4Y0qmf7RQwYya5ywNjww1ugaCrlB2rWDEMGUlQu3ICFMQd"
    "C28+TlBBo1MwUTAdBgNVHQ4EFgQUxRq8AfaipBIs5pbH/Gk5iUHFCYUwHwYDVR0jBBgwFoAUxRq8"
    "AfaipBIs5pbH/Gk5iUHFCYUwDwYDVR0TAQH/BAUwAwEB/zAKBggqhkjOPQQDAgNJADBGAiEAuCOL"
    "NNaiviOLZlTEGj1zapHTNY2Ro/2zVWxtSYQR3osCIQDMpEgqSl0OaTh2gwmrI6DBeJMk0YB0dKxj"
    "qwwY/mMVCQ==")

# Branch, then given names and surnames in the branch's language.
BRANCHES = [
    ("Berlin",
     ["Jürgen", "Günther", "Jörg", "Björn", "Käthe", "Uwe", "Sören", "Hildegard", "Maximilian", "Lena"],
     ["Müller", "Schröder", "Weiß", "Groß", "Böhm", "Käfer", "Fuchs", "Schäfer", "Krüger", "Nüßlein"]),
    ("Athen",
     ["Γιώργος", "Ελένη", "Δημήτρης", "Σοφία", "Νίκος", "Αικατερίνη", "Κωνσταντίνος", "Μαρία", "Ιωάννης",
      "Αθηνά"],
     ["Παπαδόπουλος", "Οικονόμου", "Γεωργίου", "Καραγιάννης", "Βασιλείου", "Νικολάου", "Αλεξίου", "Χατζής",
      "Δημητρίου", "Μαυρίδης"]),
    ("Istanbul",
     ["Çağrı", "Gökhan", "Şule", "Ömer", "İlkay", "Ayşe", "Barış", "Gülşen", "Işıl", "Yiğit"],
     ["Yılmaz", "Öztürk", "Çelik", "Şahin", "Aydın", "Doğan", "Kılıç", "Arslan", "Güneş", "Özdemir"]),
]
TEAMS = 4


def line(name, value):
    """One attribute line: base64 where LDIF does not allow the value as plain text."""
    data = value if isinstance(value, bytes) else value.encode("utf-8")
    plain = (data and all(0x20 <= b < 0x7F for b in data) and data[:1] not in (b" ", b":", b"<")
             and not data.endswith(b" "))
    if plain:
        return f"{name}: {data.decode('ascii')}\n"
    return f"{name}:: {base64.b64encode(data).decode('ascii')}\n"


def entry(dn, attributes):
    text = line("dn", dn)
    for name, value in attributes:
        text += line(name, value)
    return text + "\n"


def main():
    base, realm = sys.argv[1], sys.argv[2].lower()
    out = sys.stdout
    staff = f"OU=Mitarbeiter,{base}"
    groups = f"OU=Gruppen,{base}"
    for dn in (staff, groups):
        out.write(entry(dn, [("objectClass", "organizationalUnit")]))
    people = []
    per_branch = PEOPLE // len(BRANCHES)
    for b, (branch, given_names, surnames) in enumerate(BRANCHES):
        branch_dn = f"OU={branch},{staff}"
        out.write(entry(branch_dn, [("objectClass", "organizationalUnit")]))
        for team in range(1, TEAMS + 1):
            out.write(entry(f"OU=Team {team},{branch_dn}", [("objectClass", "organizationalUnit")]))
        for i in range(per_branch):
            n = b * per_branch + i
            given, surname = given_names[n % 10], surnames[(n // 10) % 10]
            cn = f"{surname}\\, {given} {n:04d}" if n % 4 == 1 else f"{given} {surname} {n:04d}"
            dn = f"CN={cn},OU=Team {i * TEAMS // per_branch + 1},{branch_dn}"
            account = f"m{n:04d}"
            attributes = [
                ("objectClass", "user"),
                ("sAMAccountName", account),
                ("userPrincipalName", f"{account}@{realm}"),
                ("givenName", given),
                ("sn", surname),
                ("displayName", f"{given} {surname}"),
                ("mail", f"{account}@{realm}"),
                ("telephoneNumber", f"+49 30 1234 {n:04d}"),
            ]
            if n % 3 == 0:
                attributes += [("otherTelephone", f"+49 30 5678 {n:04d}"), ("otherTelephone", f"+49 171 {n:04d}"),
                               ("otherMailbox", f"{account}@privat.{realm}"), ("otherMailbox", f"{account}@alt.{realm}")]
            if n % 10 == 0:
                attributes.append(("jpegPhoto", JPEG))
            if n % 10 == 5:
                attributes.append(("thumbnailPhoto", PNG))
            if n % 20 == 0:
                attributes.append(("userCertificate", CERTIFICATE))
            out.write(entry(dn, attributes))
            people.append(dn)
    everyone = f"CN=Alle Mitarbeiter,{groups}"
    board = f"CN=Leitung,{groups}"
    out.write(entry(everyone, [("objectClass", "group"), ("sAMAccountName", "alle-mitarbeiter")] +
                    [("member", dn) for dn in people[:BIG_GROUP]]))
    out.write(entry(board, [("objectClass", "group"), ("sAMAccountName", "leitung")] +
                    [("member", people[n]) for n in (0, 1000, 2000)]))
    out.write(entry(f"CN=Verteiler,{groups}", [("objectClass", "group"), ("sAMAccountName", "verteiler"),
                                               ("member", everyone), ("member", board)]))


if __name__ == "__main__":
    main()
