#!/usr/bin/env python3
"""Writes the language files that ship with Barloom from the one table below.

    python3 tools/make_language_files.py [output folder]     (default: resources/Languages)

German.lng        Windows-1252
Hebrew.lng        Windows-1255, read with FontScript=177 (HEBREW_CHARSET)
Hebrew-UTF8.lng   UTF-8 with the byte-order mark, read as UTF-8 whatever FontScript says

Every file is an INI file with the one section [UserLanguage] and CR LF line ends. The comment
lines above the header belong to no section, so the program never reads them. The output is the
same on every run, so the committed files can be checked against it.
"""
import pathlib
import sys

# Text ID -> text; "&" marks the access key. Access keys are chosen so that no two controls of one
# menu, one menu bar with the main window's buttons, or one dialog share a letter.
GERMAN = {
    101: "&Datei",
    110: "&Beenden",
    150: "&Optionen...",
    161: "&Hilfe",
    162: "&Hilfethemen",
    163: "&Info...",
    601: "Schritt 1",
    602: "Schritt 2",
    603: "Schritt 3",
    604: "&Weiter",
    605: "&Zurück",
    606: "&Erstellen",
    607: "Meine weiteren Tools",
    610: "&Dateinamen-Präfix",
    611: "&Sprachdatei",
    620: "Wie viele Symbolleisten benötigen Sie?",
    621: "Wählen Sie den Ordner für die Symbolleisten-Dateien.",
    622: "Am besten in einem eigenen Ordner speichern.",
    623: "Klicken Sie oben auf eine Nummer, um den Inhalt einer Symbolleiste (*.bar) zu übernehmen.",
    624: "Sie können diesen Schritt überspringen und gleich auf Erstellen klicken.",
    625: "Die Symbolleisten wurden erstellt. So richten Sie sie ein:",
    626: "1- Total Commander starten.",
    627: "2- Den Dialog 'Symbolleiste ändern' öffnen.",
    628: "3- Auf >> klicken, die Datei 'Bar_01.bar' wählen, dann auf OK klicken.",
    629: "4- Die Frage, ob dies die neue Hauptsymbolleiste werden soll, mit Ja beantworten.",
    630: "Import &entfernen",
    700: "Die Symbolleisten-Datei konnte nicht gespeichert werden.",
    701: "Für die Symbolleisten-Dateien wurde kein Ordner gewählt.",
    702: "Ein Satz muss aus 2 bis 20 Symbolleisten bestehen.",
    703: "Das Dateinamen-Präfix darf keines dieser Zeichen enthalten: \\ / : * ? \" < > | und kein Steuerzeichen.",
    704: "Eine Symbolleisten-Datei kann auf keinen Ordner verweisen, dessen Name einen Zeilenumbruch enthält.",
    705: "Der Ordner für die Symbolleisten-Dateien konnte nicht erstellt werden.",
    706: "Die Symbolleisten-Datei konnte nicht gelesen werden.",
    707: "Windows erlaubt keinen Ordnernamen, der mit einem Leerzeichen oder einem Punkt endet.",
    708: "Windows reserviert diesen Namen für ein Gerät (CON, PRN, AUX, NUL, COM1 bis COM9, LPT1 bis LPT9,"
         " auch mit Erweiterung); er kann keinen Ordner benennen.",
    709: "Der Ordner ist eine symbolische Verknüpfung auf etwas, das nicht existiert.",
    710: "Die zu importierende Datei enthält mehr Schaltflächen, als eine Symbolleiste aufnehmen kann;"
         " nur die ersten davon wurden importiert.",
    711: "Die zu importierende Datei konnte nicht gelesen werden; es wurden keine Schaltflächen daraus importiert.",
    712: "Importierte Schaltflächen:",
    713: "Der Ordner existiert nicht.",
    714: "Der Name gehört zu einem Ordner.",
    715: "Der Name gehört nicht zu einer gewöhnlichen Datei.",
    716: "Die Datei ist schreibgeschützt.",
    717: "Der Ordner ist schreibgeschützt.",
    720: "Die bisherige Fassung der Symbolleisten-Datei konnte nicht aufbewahrt werden; die Datei wurde "
         "daher nicht ersetzt.",
    721: "Die bisherigen Fassungen der ersetzten Symbolleisten-Dateien wurden aufbewahrt in:",
    722: "Diese Symbolleisten-Dateien des bisherigen Satzes blieben unverändert; der neue Satz schaltet "
         "nicht zu ihnen um:",
    723: "Die importierte Datei ist eine der Symbolleisten, die dieser Satz ersetzt hat; die Leiste "
         "erhielt die Schaltflächen der neuen Fassung, nicht die bisherigen:",
    724: "Importiert in Leiste:",
    725: "Die bisherige Fassung ist aufbewahrt in:",
    726: "Diese Datei ist eine der Symbolleisten, die dieser Satz ersetzt: Diese Leiste erhält die "
         "Schaltflächen der neuen Fassung, nicht die jetzigen.",
    727: "Ändert sich die Datei, wird die jetzige Fassung aufbewahrt in:",
    728: "Die vorhandenen Schaltflächen dieser Leisten &behalten",
    729: "gefunden:",
    730: "Die Symbolleiste enthält mehr eigene Schaltflächen, als neben den neuen Umschalt-Schaltflächen "
         "Platz finden; nur die ersten davon wurden behalten.",
    731: "Behaltene Schaltflächen:",
    1001: "Optionen",
    1008: "OK",
    1009: "Abbrechen",
    1501: "Info",
    1502: "Programmiert von:",
    1503: "Version",
    1504: "Dieses Programm ist registriert für:",
    1505: "Aktuelle Informationen zu diesem Programm finden Sie auf seiner Homepage.",
    1506: "Website",
    1507: "E-Mail",
    1508: "Jetzt besuchen",
    3056: "Datei nicht gefunden.",
}

HEBREW = {
    101: "&קובץ",
    110: "&יציאה",
    150: "&אפשרויות...",
    161: "&עזרה",
    162: "&נושאי עזרה",
    163: "&אודות...",
    601: "שלב 1",
    602: "שלב 2",
    603: "שלב 3",
    604: "&הבא",
    605: "&חזור",
    606: "&צור",
    607: "נסה את הכלים האחרים שלי",
    610: "&קידומת לשם הקובץ",
    611: "קובץ &שפה",
    620: "כמה סרגלי לחצנים דרושים לך?",
    621: "ציין היכן יישמרו קובצי סרגלי הלחצנים.",
    622: "מומלץ לשמור בתיקייה נפרדת.",
    623: "לחץ על המספרים שלמעלה ובחר קובץ סרגל לחצנים (*.bar) כדי לייבא את תוכנו.",
    624: "ניתן לדלג על שלב זה וללחוץ על הלחצן צור.",
    625: "קובצי סרגלי הלחצנים נוצרו. בצע את השלבים הבאים כדי להחיל אותם:",
    626: "1- הפעל את Total Commander.",
    627: "2- פתח את תיבת הדו-שיח 'שינוי סרגל הלחצנים'.",
    628: "3- לחץ על הלחצן >> ובחר את הקובץ 'Bar_01.bar', ולאחר מכן לחץ על אישור.",
    629: "4- לחץ על כן כשתישאל: האם להפוך סרגל לחצנים זה לסרגל הלחצנים הראשי החדש?",
    630: "&הסר ייבוא",
    700: "לא ניתן היה לשמור את קובץ סרגל הלחצנים.",
    701: "לא נבחרה תיקייה עבור קובצי סרגלי הלחצנים.",
    702: "ערכה חייבת לכלול בין 2 ל-20 סרגלי לחצנים.",
    703: "קידומת שם הקובץ אינה יכולה להכיל אף אחד מהתווים הבאים: \\ / : * ? \" < > | או תו בקרה.",
    704: "קובץ סרגל לחצנים אינו יכול להפנות לתיקייה ששמה מכיל מעבר שורה.",
    705: "לא ניתן היה ליצור את התיקייה עבור קובצי סרגלי הלחצנים.",
    706: "לא ניתן היה לקרוא את קובץ סרגל הלחצנים.",
    707: "Windows אינו מתיר שם תיקייה שמסתיים ברווח או בנקודה.",
    708: "Windows שומר שם זה עבור התקן (CON, PRN, AUX, NUL, COM1 עד COM9, LPT1 עד LPT9, גם עם סיומת);"
         " לא ניתן לתת אותו לתיקייה.",
    709: "התיקייה היא קישור סמלי למשהו שאינו קיים.",
    710: "הקובץ לייבוא כולל יותר לחצנים ממה שסרגל לחצנים יכול להכיל; יובאו רק הלחצנים הראשונים.",
    711: "לא ניתן היה לקרוא את הקובץ לייבוא; לא יובאו ממנו לחצנים.",
    712: "לחצנים שיובאו:",
    713: "התיקייה אינה קיימת.",
    714: "השם שייך לתיקייה.",
    715: "השם אינו שייך לקובץ רגיל.",
    716: "הקובץ מוגן מפני כתיבה.",
    717: "התיקייה מוגנת מפני כתיבה.",
    720: "לא ניתן היה לשמור את הגרסה הקודמת של קובץ סרגל הלחצנים, ולכן הקובץ לא הוחלף.",
    721: "הגרסאות הקודמות של קובצי סרגלי הלחצנים שהוחלפו נשמרו בקבצים:",
    722: "קובצי סרגלי הלחצנים הבאים מהערכה הקודמת נותרו ללא שינוי; הערכה החדשה אינה עוברת אליהם:",
    723: "הקובץ שיובא הוא אחד מסרגלי הלחצנים שערכה זו החליפה; הסרגל קיבל את הלחצנים של הגרסה החדשה שלו, "
         "לא את הקודמים:",
    724: "יובא לסרגל:",
    725: "הגרסה הקודמת שלו נשמרה בקובץ:",
    726: "קובץ זה הוא אחד מסרגלי הלחצנים שערכה זו מחליפה: סרגל זה יקבל את הלחצנים של הגרסה החדשה שלו, לא "
         "את הנוכחיים.",
    727: "אם הקובץ ישתנה, הגרסה הנוכחית שלו תישמר בקובץ:",
    728: "&שמור את הלחצנים שכבר נמצאים בסרגלים אלה",
    729: "נמצאו:",
    730: "סרגל הלחצנים מכיל יותר לחצנים משלו ממה שנכנס לצד לחצני המעבר החדשים; נשמרו רק הראשונים שבהם.",
    731: "לחצנים שנשמרו:",
    1001: "אפשרויות",
    1008: "אישור",
    1009: "ביטול",
    1501: "אודות",
    1502: "תוכנת על ידי:",
    1503: "גרסה",
    1504: "תוכנה זו רשומה על שם:",
    1505: "למידע עדכני על תוכנה זו בקר בדף הבית של התוכנה.",
    1506: "אתר אינטרנט",
    1507: "דואר אלקטרוני",
    1508: "בקר עכשיו",
    3056: "הקובץ לא נמצא.",
}

FILES = [
    # name, comment lines, right to left, texts, encoding
    ("German.lng",
     ["; German for Barloom (Windows-1252)."],
     0, GERMAN, "cp1252"),
    ("Hebrew.lng",
     ["; Hebrew for Barloom (Windows-1255). Set FontScript=177 in barloom.ini ([Barloom] section)"
      " to display it.",
      "; Hebrew-UTF8.lng holds the same texts and works with any FontScript."],
     1, HEBREW, "cp1255"),
    ("Hebrew-UTF8.lng",
     ["; Hebrew for Barloom (UTF-8 with byte-order mark). Works with any FontScript in barloom.ini."],
     1, HEBREW, "utf-8-sig"),
]


def render(comments, right_to_left, texts):
    lines = list(comments)
    lines.append("[UserLanguage]")
    lines.append(f"RightToLeftLanguage={right_to_left}")
    lines.extend(f"{text_id}={texts[text_id]}" for text_id in sorted(texts))
    return "".join(line + "\r\n" for line in lines)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "resources" / "Languages"
    if set(GERMAN) != set(HEBREW):
        sys.exit("make_language_files: the German and Hebrew tables hold different IDs")
    folder.mkdir(parents=True, exist_ok=True)
    for name, comments, right_to_left, texts, encoding in FILES:
        # A character that the code page lacks is an error here, never a silent "?".
        data = render(comments, right_to_left, texts).encode(encoding, errors="strict")
        (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
