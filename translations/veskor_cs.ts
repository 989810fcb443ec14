<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs_CZ">
<context>
    <name>AlarmCommands</name>
    <message>
        <source>the alarm events, or the one due then</source>
        <translation>události budíku, nebo ta, která nastane v danou dobu</translation>
    </message>
</context>
<context>
    <name>AlarmList</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>'%1' není platné celé číslo</translation>
    </message>
    <message>
        <source>%1: File exists; nothing was saved</source>
        <translation>%1: Soubor již existuje; nic nebylo uloženo</translation>
    </message>
    <message>
        <source>%1 could not be kept as %2: %3; nothing was saved</source>
        <translation>%1 nelze uchovat jako %2: %3; nic nebylo uloženo</translation>
    </message>
    <message>
        <source>%1, event %2: %3</source>
        <translation>%1, událost %2: %3</translation>
    </message>
    <message>
        <source>the file ends inside the event</source>
        <translation>soubor končí uprostřed události</translation>
    </message>
    <message>
        <source>characters that Windows-1250 cannot hold were read as &apos;?&apos;</source>
        <translation>znaky, které Windows-1250 nezná, byly načteny jako '?'</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid time</source>
        <translation>'%1' není platný čas</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>… a dalších: %1</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <translation>'%s' není platné celé číslo</translation>
    </message>
</context>
<context>
    <name>AlarmReports</name>
    <message>
        <source>… and %1 more</source>
        <translation>… a dalších: %1</translation>
    </message>
    <message>
        <source>Load failed.</source>
        <translation>Načtení se nezdařilo.</translation>
    </message>
</context>
<context>
    <name>AlarmsCommand</name>
    <message>
        <source>veskor: &apos;%1&apos; is not a valid time</source>
        <translation>veskor: '%1' není platný čas</translation>
    </message>
    <message>
        <source>veskor: Load failed.</source>
        <translation>veskor: Načtení se nezdařilo.</translation>
    </message>
</context>
<context>
    <name>AlarmsFeature</name>
    <message>
        <source>Alarm Settings...</source>
        <translation>Nastavení budíku...</translation>
    </message>
</context>
<context>
    <name>Autostart</name>
    <message>
        <source>veskor: no configuration folder: neither XDG_CONFIG_HOME nor HOME is set</source>
        <translation>veskor: chybí složka s nastavením: není nastavena ani XDG_CONFIG_HOME, ani HOME</translation>
    </message>
    <message>
        <source>veskor: cannot write %1</source>
        <translation>veskor: nelze zapsat %1</translation>
    </message>
    <message>
        <source>veskor: cannot remove %1: %2</source>
        <translation>veskor: nelze odstranit %1: %2</translation>
    </message>
</context>
<context>
    <name>CalcCommand</name>
    <message>
        <source>veskor: unknown key &apos;%1&apos;</source>
        <translation>veskor: neznámá klávesa '%1'</translation>
    </message>
    <message>
        <source>veskor: --value &apos;%1&apos; is not a number</source>
        <translation>veskor: --value '%1' není číslo</translation>
    </message>
    <message>
        <source>veskor: key &apos;%1&apos; after the keypad closed</source>
        <translation>veskor: klávesa '%1' po zavření klávesnice</translation>
    </message>
</context>
<context>
    <name>CalcCommands</name>
    <message>
        <source>the calculator&apos;s keypad, e.g. calc 2 + 3 x 4 =</source>
        <translation>klávesnice kalkulačky, např. calc 2 + 3 x 4 =</translation>
    </message>
</context>
<context>
    <name>CalcField</name>
    <message>
        <source>Value out of range</source>
        <translation>Hodnota je mimo rozsah</translation>
    </message>
</context>
<context>
    <name>CalculatorPanel</name>
    <message>
        <source>Calculator</source>
        <translation>Kalkulačka</translation>
    </message>
</context>
<context>
    <name>CalendarCommands</name>
    <message>
        <source>the moon&apos;s phase angle at 0:00, degrees</source>
        <translation>fázový úhel Měsíce v 0:00, ve stupních</translation>
    </message>
    <message>
        <source>the calendar&apos;s month with week numbers</source>
        <translation>měsíc kalendáře s čísly týdnů</translation>
    </message>
    <message>
        <source>month needs YYYY-MM</source>
        <translation>month potřebuje YYYY-MM</translation>
    </message>
</context>
<context>
    <name>CalendarPanel</name>
    <message>
        <source>Encoded date: %1</source>
        <translation>Kódované datum: %1</translation>
    </message>
    <message>
        <source>Moon phase</source>
        <translation>Fáze Měsíce</translation>
    </message>
    <message>
        <source>Type saintname</source>
        <translation>Napište jméno</translation>
    </message>
    <message>
        <source>Press to find date</source>
        <translation>Stiskněte pro nalezení data</translation>
    </message>
    <message>
        <source>Saint: %1</source>
        <translation>Svátek: %1</translation>
    </message>
    <message>
        <source>Day of year: %1</source>
        <translation>Den v roce: %1</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalendář</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>invalid date (expected YYYY-MM-DD) &apos;%1&apos;</source>
        <translation>neplatné datum (očekává se YYYY-MM-DD) '%1'</translation>
    </message>
    <message>
        <source>invalid date and time (expected &quot;YYYY-MM-DD hh:mm:ss&quot;) &apos;%1&apos;</source>
        <translation>neplatné datum a čas (očekává se "YYYY-MM-DD hh:mm:ss") '%1'</translation>
    </message>
    <message>
        <source>invalid month (expected YYYY-MM, 1900-01 to 2100-12) &apos;%1&apos;</source>
        <translation>neplatný měsíc (očekává se YYYY-MM, 1900-01 až 2100-12) '%1'</translation>
    </message>
    <message>
        <source>too many arguments</source>
        <translation>příliš mnoho argumentů</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>nečekaný argument '%1'</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unknown window &apos;%1&apos; (%2)</source>
        <translation>neznámé okno '%1' (%2)</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>neznámý příkaz '%1'</translation>
    </message>
    <message>
        <source>option %1 does not belong to %2</source>
        <translation>volba %1 nepatří k %2</translation>
    </message>
    <message>
        <source>option %1 belongs to %2, not to %3</source>
        <translation>volba %1 patří k %2, ne k %3</translation>
    </message>
    <message>
        <source> and </source>
        <translation> a </translation>
    </message>
    <message>
        <source>unknown panel &apos;%1&apos; (%2)</source>
        <translation>neznámý panel '%1' (%2)</translation>
    </message>
    <message>
        <source>option --window does not go with %1</source>
        <translation>volbu --window nelze spojit s %1</translation>
    </message>
    <message>
        <source>--autostart takes on or off, not &apos;%1&apos;</source>
        <translation>--autostart přijímá on nebo off, ne '%1'</translation>
    </message>
    <message>
        <source>--window %1 needs a FILE</source>
        <translation>--window %1 potřebuje FILE</translation>
    </message>
    <message>
        <source>too many arguments</source>
        <translation>příliš mnoho argumentů</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>nečekaný argument '%1'</translation>
    </message>
    <message>
        <source>the bar</source>
        <translation>liště</translation>
    </message>
    <message>
        <source>the %1 command</source>
        <translation>příkazu %1</translation>
    </message>
    <message>
        <source>malformed option &apos;%1&apos;</source>
        <translation>chybně zapsaná volba '%1'</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>neznámá volba '%1'</translation>
    </message>
    <message>
        <source>option %1 takes no value</source>
        <translation>volba %1 nepřijímá hodnotu</translation>
    </message>
    <message>
        <source>option %1 needs a value</source>
        <translation>volba %1 potřebuje hodnotu</translation>
    </message>
    <message>
        <source>option %1 given twice</source>
        <translation>volba %1 je zadána dvakrát</translation>
    </message>
</context>
<context>
    <name>DateTime</name>
    <message>
        <source>Invalid argument to date encode</source>
        <translation>Neplatný argument pro zakódování data</translation>
    </message>
    <message>
        <source>Invalid argument to time encode</source>
        <translation>Neplatný argument pro zakódování času</translation>
    </message>
</context>
<context>
    <name>DayCommand</name>
    <message>
        <source>the texts the bar shows for a day</source>
        <translation>texty, které lišta ukazuje pro daný den</translation>
    </message>
</context>
<context>
    <name>DisplayChoice</name>
    <message>
        <source>veskor: the bar places itself on screen through X11, and this Wayland session has no X11 display (DISPLAY is not set; is XWayland off?)</source>
        <translation>veskor: lišta se umisťuje na obrazovku přes X11 a tato relace Waylandu nemá displej X11 (DISPLAY není nastaveno; je XWayland vypnutý?)</translation>
    </message>
    <message>
        <source>veskor: no display (DISPLAY is not set); the commands need none (try --help)</source>
        <translation>veskor: žádný displej (DISPLAY není nastaveno); příkazy žádný nepotřebují (zkuste --help)</translation>
    </message>
</context>
<context>
    <name>FileInfoCommand</name>
    <message>
        <source>veskor: Cannot open file %1</source>
        <translation>veskor: Nelze otevřít soubor %1</translation>
    </message>
    <message>
        <source>veskor: Cannot read file %1</source>
        <translation>veskor: Nelze číst soubor %1</translation>
    </message>
</context>
<context>
    <name>FileInfoCommands</name>
    <message>
        <source>the version resource and document summary</source>
        <translation>informace o verzi a souhrn dokumentu</translation>
    </message>
    <message>
        <source>fileinfo needs a FILE</source>
        <translation>fileinfo potřebuje FILE</translation>
    </message>
</context>
<context>
    <name>FileInfoFeature</name>
    <message>
        <source>Version Info on File...</source>
        <translation>Informace o verzi souboru...</translation>
    </message>
</context>
<context>
    <name>FileInfoRows</name>
    <message>
        <source>Comment</source>
        <translation>Komentář</translation>
    </message>
    <message>
        <source>File Description</source>
        <translation>Popis souboru</translation>
    </message>
    <message>
        <source>File OS</source>
        <translation>OS souboru</translation>
    </message>
    <message>
        <source>File Path</source>
        <translation>Cesta k souboru</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Velikost souboru</translation>
    </message>
    <message>
        <source>File Type</source>
        <translation>Typ souboru</translation>
    </message>
    <message>
        <source>File SubType</source>
        <translation>Podtyp souboru</translation>
    </message>
    <message>
        <source>File version</source>
        <translation>Verze souboru</translation>
    </message>
    <message>
        <source>Private Build</source>
        <translation>Soukromé sestavení</translation>
    </message>
    <message>
        <source>Original FileName</source>
        <translation>Původní název souboru</translation>
    </message>
    <message>
        <source>Special Build</source>
        <translation>Zvláštní sestavení</translation>
    </message>
    <message>
        <source>Internal Name</source>
        <translation>Interní název</translation>
    </message>
    <message>
        <source>Company Name</source>
        <translation>Název společnosti</translation>
    </message>
    <message>
        <source>Legal Copyright</source>
        <translation>Autorská práva</translation>
    </message>
    <message>
        <source>Legal TradeMarks</source>
        <translation>Ochranné známky</translation>
    </message>
    <message>
        <source>Product Name</source>
        <translation>Název produktu</translation>
    </message>
    <message>
        <source>Product Version</source>
        <translation>Verze produktu</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Název</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Předmět</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>Klíčová slova</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Komentáře</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Šablona</translation>
    </message>
    <message>
        <source>Last author</source>
        <translation>Poslední autor</translation>
    </message>
    <message>
        <source>Revision number</source>
        <translation>Číslo revize</translation>
    </message>
    <message>
        <source>Edit time</source>
        <translation>Doba úprav</translation>
    </message>
    <message>
        <source>Last printed</source>
        <translation>Naposledy vytištěno</translation>
    </message>
    <message>
        <source>Page count</source>
        <translation>Počet stran</translation>
    </message>
    <message>
        <source>Word count</source>
        <translation>Počet slov</translation>
    </message>
    <message>
        <source>Char count</source>
        <translation>Počet znaků</translation>
    </message>
</context>
<context>
    <name>FileInfoWindow</name>
    <message>
        <source>Executables (*.exe)</source>
        <translation>Spustitelné soubory (*.exe)</translation>
    </message>
    <message>
        <source>Libraries (*.dll *.dpl *.dcl *.vxd)</source>
        <translation>Knihovny (*.dll *.dpl *.dcl *.vxd)</translation>
    </message>
    <message>
        <source>ActiveX (*.ocx)</source>
        <translation>Prvky ActiveX (*.ocx)</translation>
    </message>
    <message>
        <source>VBXs (*.vbx)</source>
        <translation>Prvky VBX (*.vbx)</translation>
    </message>
    <message>
        <source>Drivers (*.drv *mpd)</source>
        <translation>Ovladače (*.drv *mpd)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Usage: veskor [--at &quot;YYYY-MM-DD hh:mm:ss&quot;]      start the bar (its clock from --at on)
</source>
        <translation>Užití: veskor [--at "YYYY-MM-DD hh:mm:ss"]      spustí lištu (její hodiny jdou od --at)
</translation>
    </message>
    <message>
        <source>render the bar (its menu, a window) to PNG</source>
        <translation>vykreslí lištu (její nabídku, okno) do PNG</translation>
    </message>
    <message>
        <source>start the bar with the desktop, or not</source>
        <translation>spouštět lištu se startem plochy, nebo ne</translation>
    </message>
    <message>
        <source>Options stand anywhere, each once, as --name VALUE or --name=VALUE (a VALUE may begin
with -, as in --value -5); after -- every word is an argument.
</source>
        <translation>Volby mohou stát kdekoli, každá jen jednou, jako --název HODNOTA nebo --název=HODNOTA
(HODNOTA smí začínat znakem -, jako v --value -5); po -- je každé slovo argumentem.
</translation>
    </message>
    <message>
        <source>the bar&apos;s clock starts there; with --screenshot, its fixed time</source>
        <translation>odsud jdou hodiny lišty; s --screenshot jejich pevný čas</translation>
    </message>
    <message>
        <source>  --data-dir DIR  an existing folder holding Veskor32.sd and Veskor32.aev (default:
                  $VESKOR_DATA_DIR, the program&apos;s folder, or
                  $XDG_DATA_HOME/Orvane/Veskor Pro)
</source>
        <translation>  --data-dir DIR  existující složka se soubory Veskor32.sd a Veskor32.aev (výchozí:
                  $VESKOR_DATA_DIR, složka programu, nebo
                  $XDG_DATA_HOME/Orvane/Veskor Pro)
</translation>
    </message>
    <message>
        <source>Exit status: 0 done, 1 the data cannot be read or has no answer, 2 a bad command
line (or a time that is not one).
</source>
        <translation>Návratový kód: 0 hotovo, 1 data nelze přečíst nebo na dotaz nemají odpověď, 2 chybný
příkazový řádek (nebo čas, který neexistuje).
</translation>
    </message>
    <message>
        <source>Examples:
</source>
        <translation>Příklady:
</translation>
    </message>
</context>
<context>
    <name>IniSettingsStore</name>
    <message>
        <source>%1: larger than %2 bytes; the defaults are used</source>
        <translation>%1: větší než %2 bajtů; použijí se výchozí hodnoty</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Neplatný datový typ pro '%1'</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>veskor: cannot tell whether the bar already runs: %1</source>
        <translation>veskor: nelze zjistit, zda lišta už běží: %1</translation>
    </message>
    <message>
        <source>veskor: cannot write %1</source>
        <translation>veskor: nelze zapsat %1</translation>
    </message>
    <message>
        <source>veskor: %1 (try --help)</source>
        <translation>veskor: %1 (zkuste --help)</translation>
    </message>
    <message>
        <source>veskor: --data-dir &apos;%1&apos; is not a folder (try --help)</source>
        <translation>veskor: --data-dir '%1' není složka (zkuste --help)</translation>
    </message>
</context>
<context>
    <name>MemoryFeed</name>
    <message>
        <source>&lt;not active&gt;</source>
        <translation>&lt;neaktivní&gt;</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 z %2</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Error</source>
        <translation>Chyba</translation>
    </message>
</context>
<context>
    <name>NameDayCommands</name>
    <message>
        <source> (%1 to %2)</source>
        <translation> (%1 až %2)</translation>
    </message>
    <message>
        <source>invalid year &apos;%1&apos;%2</source>
        <translation>neplatný rok '%1'%2</translation>
    </message>
    <message>
        <source>year %1 is out of range%2</source>
        <translation>rok %1 je mimo rozsah%2</translation>
    </message>
    <message>
        <source>veskor: %1</source>
        <translation>veskor: %1</translation>
    </message>
    <message>
        <source>veskor: %1 in %2</source>
        <translation>veskor: %1 v %2</translation>
    </message>
    <message>
        <source>veskor: Not found.</source>
        <translation>veskor: Nenalezeno.</translation>
    </message>
    <message>
        <source>veskor: %1 is on 29 February, which %2 does not have</source>
        <translation>veskor: %1 má svátek 29. února, který rok %2 nemá</translation>
    </message>
    <message>
        <source>the name-day of a day</source>
        <translation>jmeniny daného dne</translation>
    </message>
    <message>
        <source>the date of a name-day</source>
        <translation>datum jmenin</translation>
    </message>
    <message>
        <source>  --year YYYY     find: the year, 1 to 9999 (default: this year)
</source>
        <translation>  --year YYYY     find: rok, 1 až 9999 (výchozí: letošní rok)
</translation>
    </message>
    <message>
        <source>find needs a NAME</source>
        <translation>find potřebuje NAME</translation>
    </message>
</context>
<context>
    <name>NameDaysFeature</name>
    <message>
        <source>Edit Sain&apos;s Days...</source>
        <translation>Upravit jmeniny...</translation>
    </message>
</context>
<context>
    <name>PulseBeep</name>
    <message>
        <source>veskor: no sound thread; alarms ring the X bell</source>
        <translation>veskor: chybí zvukové vlákno; budík zazvoní zvonkem X</translation>
    </message>
    <message>
        <source>veskor: no sound server (%1); alarms ring the X bell</source>
        <translation>veskor: žádný zvukový server (%1); budík zazvoní zvonkem X</translation>
    </message>
</context>
<context>
    <name>SaintFile</name>
    <message>
        <source>Cannot open file %1</source>
        <translation>Nelze otevřít soubor %1</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <translation>Chyba zápisu do proudu</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Nelze vytvořit soubor %1</translation>
    </message>
</context>
<context>
    <name>SaintTable</name>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Index seznamu je mimo meze (%1)</translation>
    </message>
</context>
<context>
    <name>ScopePanel</name>
    <message>
        <source>Start/Stop</source>
        <translation>Spustit/Zastavit</translation>
    </message>
    <message>
        <source>Interval [ms]</source>
        <translation>Interval [ms]</translation>
    </message>
    <message>
        <source>Physical</source>
        <translation>Fyzická</translation>
    </message>
    <message>
        <source>Physical memory</source>
        <translation>Fyzická paměť</translation>
    </message>
    <message>
        <source>Page file</source>
        <translation>Odkládací prostor</translation>
    </message>
    <message>
        <source>Memory Usage Scope</source>
        <translation>Osciloskop paměti</translation>
    </message>
    <message>
        <source>Memory usage scope</source>
        <translation>Osciloskop paměti</translation>
    </message>
    <message>
        <source>Page file</source>
        <comment>the colour key, 56 pixels</comment>
        <translation>Odkládací</translation>
    </message>
</context>
<context>
    <name>SessionFeature</name>
    <message>
        <source>Shutdown</source>
        <translation>Vypnout</translation>
    </message>
    <message>
        <source>Log Off</source>
        <translation>Odhlásit</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Restartovat</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source> Day of year: %1 <byte value="xd"/>
 Week: %2 </source>
        <translation> Den v roce: %1 <byte value="xd"/>
 Týden: %2 </translation>
    </message>
    <message>
        <source> Tomorrow saint: %1 </source>
        <translation> Zítra má svátek: %1 </translation>
    </message>
    <message>
        <source> Free physical memory <byte value="xd"/>
Total: #,##0 KB</source>
        <translation> Volná fyzická paměť <byte value="xd"/>
Celkem: #,##0 KB</translation>
    </message>
    <message>
        <source> Free page file <byte value="xd"/>
 Total: #,##0 KB </source>
        <translation> Volný odkládací prostor <byte value="xd"/>
 Celkem: #,##0 KB </translation>
    </message>
</context>
<context>
    <name>SystemInfoCommands</name>
    <message>
        <source>the processor: vendor, name, MMX, speed</source>
        <translation>procesor: výrobce, název, MMX, rychlost</translation>
    </message>
    <message>
        <source>the system information tree</source>
        <translation>strom informací o systému</translation>
    </message>
</context>
<context>
    <name>SystemInfoPanel</name>
    <message>
        <source>System Information</source>
        <translation>Informace o systému</translation>
    </message>
    <message>
        <source>System information</source>
        <translation>Informace o systému</translation>
    </message>
</context>
<context>
    <name>SystemTree</name>
    <message>
        <source>System processor(s)</source>
        <translation>Procesory systému</translation>
    </message>
    <message>
        <source>Vendor: %1</source>
        <translation>Výrobce: %1</translation>
    </message>
    <message>
        <source>Speed: %1 MHz</source>
        <translation>Rychlost: %1 MHz</translation>
    </message>
    <message>
        <source>Multimedia extension: %1</source>
        <translation>Multimediální rozšíření: %1</translation>
    </message>
    <message>
        <source>Overdrive: %1</source>
        <translation>Overdrive: %1</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Zvuk</translation>
    </message>
    <message>
        <source>Mixer</source>
        <translation>Směšovač</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ano</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Ne</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Paměť</translation>
    </message>
    <message>
        <source>RAM: %1</source>
        <translation>RAM: %1</translation>
    </message>
    <message>
        <source>Page file: %1</source>
        <translation>Odkládací prostor: %1</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Grafika</translation>
    </message>
    <message>
        <source>Resolution: %1bit</source>
        <translation>Rozlišení: %1 bitů</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Tiskárna</translation>
    </message>
    <message>
        <source>Operating system</source>
        <translation>Operační systém</translation>
    </message>
    <message>
        <source>Platform: %1</source>
        <translation>Platforma: %1</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Verze: %1</translation>
    </message>
    <message>
        <source>Build: %1</source>
        <translation>Sestavení: %1</translation>
    </message>
    <message>
        <source>File system: %1</source>
        <translation>Souborový systém: %1</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>Počítač</translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation>Název: %1</translation>
    </message>
    <message>
        <source>IP Addresses</source>
        <translation>Adresy IP</translation>
    </message>
</context>
<context>
    <name>veskor::AlarmEventDialog</name>
    <message>
        <source>Alarm Event</source>
        <translation>Událost budíku</translation>
    </message>
    <message>
        <source> Properties </source>
        <translation> Vlastnosti </translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Čas</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Zpráva</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktivní</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Zvuk</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>'%1' není platné celé číslo</translation>
    </message>
    <message>
        <source>The message cannot hold &apos;%1&apos;: %2 keeps its texts in Windows-1250, which has no such character.</source>
        <translation>Zpráva nemůže obsahovat '%1': %2 ukládá texty ve Windows-1250, které takový znak nemá.</translation>
    </message>
</context>
<context>
    <name>veskor::AlarmMessageWindow</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Alarm Event</source>
        <translation>Událost budíku</translation>
    </message>
    <message>
        <source>Alarm event - [%1:%2]</source>
        <translation>Událost budíku - [%1:%2]</translation>
    </message>
</context>
<context>
    <name>veskor::AlarmSettingsWindow</name>
    <message>
        <source>Alarm Settings</source>
        <translation>Nastavení budíku</translation>
    </message>
    <message>
        <source>Add event</source>
        <translation>Přidat událost</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>Upravit událost</translation>
    </message>
    <message>
        <source>Delete event</source>
        <translation>Smazat událost</translation>
    </message>
    <message>
        <source>Clear all events</source>
        <translation>Smazat všechny události</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message>
        <source>      Time</source>
        <translation>      Čas</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Zpráva</translation>
    </message>
    <message>
        <source>Save failed.</source>
        <translation>Uložení se nezdařilo.</translation>
    </message>
    <message>
        <source>%1 could not be read whole; it is kept as it was in %2.</source>
        <translation>Soubor %1 nešlo přečíst celý; jeho původní obsah je uchován v %2.</translation>
    </message>
    <message>
        <source>Delete this alarm event?</source>
        <translation>Smazat tuto událost budíku?</translation>
    </message>
    <message>
        <source>Delete all alarm events?</source>
        <translation>Smazat všechny události budíku?</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Potvrzení</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ano</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ne</translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n událost</numerusform>
            <numerusform>%n události</numerusform>
            <numerusform>%n událostí</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veskor::Alarms</name>
    <message>
        <source>&lt;No alarm active&gt;</source>
        <translation>&lt;Žádný budík není aktivní&gt;</translation>
    </message>
</context>
<context>
    <name>veskor::BarWindow</name>
    <message>
        <source> Date </source>
        <translation> Datum </translation>
    </message>
    <message>
        <source> Saint </source>
        <translation> Svátek </translation>
    </message>
    <message>
        <source> Time </source>
        <translation> Čas </translation>
    </message>
    <message>
        <source>Free Physical Memory</source>
        <translation>Volná fyzická paměť</translation>
    </message>
    <message>
        <source>Free Page File</source>
        <translation>Volný odkládací prostor</translation>
    </message>
    <message>
        <source> Free memory </source>
        <translation> Volná paměť </translation>
    </message>
    <message>
        <source>Always On Top</source>
        <translation>Vždy navrchu</translation>
    </message>
    <message>
        <source>Memory Status</source>
        <translation>Stav paměti</translation>
    </message>
    <message>
        <source>Windows Taskbar</source>
        <translation>Hlavní panel</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>O programu...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Ukončit</translation>
    </message>
    <message>
        <source>Copyright © Orvane. Date, name-days, time and memory at a glance.</source>
        <translation>Copyright © Orvane. Datum, jmeniny, čas a paměť na první pohled.</translation>
    </message>
</context>
<context>
    <name>veskor::ExitSelectionDialog</name>
    <message>
        <source>Exit Selection</source>
        <translation>Volba ukončení</translation>
    </message>
    <message>
        <source>Unconditional</source>
        <translation>Bezpodmínečně</translation>
    </message>
    <message>
        <source>&amp;Logoff</source>
        <translation>&amp;Odhlásit</translation>
    </message>
    <message>
        <source>&amp;Reboot</source>
        <translation>&amp;Restartovat</translation>
    </message>
    <message>
        <source>&amp;Shutdown</source>
        <translation>&amp;Vypnout</translation>
    </message>
    <message>
        <source>&amp;Poweroff</source>
        <translation>Vypnout &amp;napájení</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Zrušit</translation>
    </message>
</context>
<context>
    <name>veskor::FileInfoWindow</name>
    <message>
        <source>Version Resource</source>
        <translation>Informace o verzi</translation>
    </message>
    <message>
        <source>     Key</source>
        <translation>     Klíč</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Hodnota</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Zavřít</translation>
    </message>
    <message>
        <source>Version Resource - [%1]</source>
        <translation>Informace o verzi - [%1]</translation>
    </message>
</context>
<context>
    <name>veskor::MemoryScope</name>
    <message>
        <source>Physical memory</source>
        <translation>Fyzická paměť</translation>
    </message>
    <message>
        <source>Page file</source>
        <translation>Odkládací prostor</translation>
    </message>
</context>
<context>
    <name>veskor::MonthCalendar</name>
    <message>
        <source>Mo</source>
        <translation>Po</translation>
    </message>
    <message>
        <source>Tu</source>
        <translation>Út</translation>
    </message>
    <message>
        <source>We</source>
        <translation>St</translation>
    </message>
    <message>
        <source>Th</source>
        <translation>Čt</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>Pá</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>So</translation>
    </message>
    <message>
        <source>Su</source>
        <translation>Ne</translation>
    </message>
    <message>
        <source>- Year</source>
        <translation>- Rok</translation>
    </message>
    <message>
        <source>- Month</source>
        <translation>- Měsíc</translation>
    </message>
    <message>
        <source>+ Month</source>
        <translation>+ Měsíc</translation>
    </message>
    <message>
        <source>+ Year</source>
        <translation>+ Rok</translation>
    </message>
    <message>
        <source>This week</source>
        <translation>Tento týden</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Dnes</translation>
    </message>
    <message>
        <source>Wk</source>
        <translation>Tý</translation>
    </message>
</context>
<context>
    <name>veskor::SaintEditorWindow</name>
    <message>
        <source>Saint&apos;s Days</source>
        <translation>Jmeniny</translation>
    </message>
    <message>
        <source>Saint&apos;s name to find</source>
        <translation>Hledané jméno</translation>
    </message>
    <message>
        <source>Press to find</source>
        <translation>Stiskněte pro hledání</translation>
    </message>
    <message>
        <source>     Saint&apos;s name</source>
        <translation>     Jméno</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informace</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Nenalezeno.</translation>
    </message>
</context>
<context>
    <name>veskor::SessionCommands</name>
    <message>
        <source>Shutdown</source>
        <translation>Vypnutí</translation>
    </message>
    <message>
        <source>Log Off</source>
        <translation>Odhlášení</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Restartování</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 se nezdařilo: %2</translation>
    </message>
</context>
<context>
    <name>veskor::SidePanel</name>
    <message>
        <source>Hide panel</source>
        <translation>Skrýt panel</translation>
    </message>
</context>
</TS>
