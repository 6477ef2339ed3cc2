<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Serbian (Cyrillic) texts of the Qt standard dialogs the program shows:
     file dialogs, print preview, message box and button box buttons,
     text field context menus. Built into a .qm by the build (lrelease). -->
<TS version="2.1" language="sr_RS">
<context>
    <name>QFileDialog</name>
    <message>
        <source>Look in:</source>
        <translation>Тражи у:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>&amp;Назив фајла:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Врста фајлова:</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Сачувај као</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Отвори</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сачувај</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Отвори</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Изабери</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Иди назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Напред</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Иди напред</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Надређена фасцикла</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>Иди у надређену фасциклу</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Нова фасцикла</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Направи нову фасциклу</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>Приказ листе</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>Прикажи као листу</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Детаљан приказ</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>Прикажи са детаљима</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Бочна трака</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Списак места и обележивача</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Фајлови</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Фасцикла:</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Сви фајлови (*)</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Нова фасцикла</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Преименуј</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Обриши</translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Прикажи &amp;скривене фајлове</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>&amp;Нова фасцикла</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>Недавна места</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Мој рачунар</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Рачунар</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Брисање</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 већ постоји.
Да ли желите да га замените?</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Фајл није пронађен.
Проверите да ли је назив фајла исправан.</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
Фасцикла није пронађена.
Проверите да ли је назив фасцикле исправан.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete '%1'?</source>
        <translation>Да ли сте сигурни да желите да обришете „%1“?</translation>
    </message>
    <message>
        <source>'%1' is write protected.
Do you want to delete it anyway?</source>
        <translation>„%1“ је заштићен од писања.
Да ли ипак желите да га обришете?</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>Фасцикла није могла да се обрише.</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Непознато</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>Назив</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Величина</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Врста</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Врста</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Измењено</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Мој рачунар</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Рачунар</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Фасцикла</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Фајл</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>%1 фајл</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Фасцикла</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>У реду</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сачувај</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Сачувај све</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Отвори</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Да</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Да за &amp;све</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Не</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>Н&amp;е за све</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Прекини</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Понови</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Занемари</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Затвори</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Откажи</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Одбаци</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Помоћ</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Примени</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Поништи</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Врати подразумевано</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;У реду</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сачувај</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Откажи</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Затвори</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Затвори без чувања</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>OK</source>
        <translation>У реду</translation>
    </message>
    <message>
        <source>Show Details...</source>
        <translation>Прикажи детаље...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>Сакриј детаље...</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Page Setup</source>
        <translation>Подешавање странице</translation>
    </message>
    <message>
        <source>Page setup</source>
        <translation>Подешавање странице</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Преглед пре штампе</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Следећа страна</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Претходна страна</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Прва страна</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Последња страна</translation>
    </message>
    <message>
        <source>Fit width</source>
        <translation>Уклопи по ширини</translation>
    </message>
    <message>
        <source>Fit page</source>
        <translation>Уклопи целу страну</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Увећај</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Умањи</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>Усправно</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Положено</translation>
    </message>
    <message>
        <source>Show single page</source>
        <translation>Прикажи једну страну</translation>
    </message>
    <message>
        <source>Show facing pages</source>
        <translation>Прикажи две стране</translation>
    </message>
    <message>
        <source>Show overview of all pages</source>
        <translation>Прикажи све стране</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Штампај</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>Извези у PDF</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Затвори</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Print</source>
        <translation>Штампање</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Штампај</translation>
    </message>
    <message>
        <source>&amp;Options &gt;&gt;</source>
        <translation>&amp;Опције &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Options &lt;&lt;</source>
        <translation>&amp;Опције &lt;&lt;</translation>
    </message>
    <message>
        <source>Print to File (PDF)</source>
        <translation>Штампај у фајл (PDF)</translation>
    </message>
    <message>
        <source>Print all</source>
        <translation>Штампај све</translation>
    </message>
    <message>
        <source>Print range</source>
        <translation>Опсег штампе</translation>
    </message>
    <message>
        <source>Print selection</source>
        <translation>Штампај изабрано</translation>
    </message>
    <message>
        <source>Print current page</source>
        <translation>Штампај тренутну страну</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Опозови</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Понови</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Исе&amp;ци</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копирај</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Налепи</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Обриши</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Изабери све</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Опозови</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Понови</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Исе&amp;ци</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копирај</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Налепи</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Обриши</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Изабери све</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Копирај &amp;адресу везе</translation>
    </message>
</context>
</TS>
