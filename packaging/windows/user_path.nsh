; The install folder on the user's PATH (HKCU\Environment, value Path, kept as REG_EXPAND_SZ).
; The installer appends the folder when it is not on the PATH yet and notes in the uninstall key
; what it did: PathEntry, the entry it added, and PathValueCreated when there was no Path value
; before. The uninstaller takes that one entry out again and leaves the other entries as they
; were. A string here holds NSIS_MAX_STRLEN characters at most: a Path too long to be read and
; written whole is left alone, never cut short.
;
; Needs LogicLib.nsh and WinMessages.nsh, and UNINSTALL_KEY defined.

!define USER_ENVIRONMENT "Environment"
; The longest Path read whole: one character less could be a longer value cut short.
!define /math LONGEST_PATH ${NSIS_MAX_STRLEN} - 2

Var PathValue ; the Path value as read, then as written back
Var PathFound ; absent (no Path value), read (in PathValue), or unreadable (too long, not text)
Var EntryStart ; from FindPathEntry: where the entry starts in PathValue, or -1
Var EntryEnd ; from FindPathEntry: where it ends, at the ";" after it or the end of PathValue

!macro USER_PATH_FUNCTIONS UN
  ; Reads the user's Path value into $PathValue and says in $PathFound how that went.
  ; Changes $R0 and $R1.
  Function ${UN}ReadUserPath
    StrCpy $PathValue ""
    StrCpy $PathFound absent
    ClearErrors
    ReadRegStr $PathValue HKCU "${USER_ENVIRONMENT}" "Path"
    ${IfNot} ${Errors}
      StrLen $R0 $PathValue
      ${If} $R0 <= ${LONGEST_PATH}
        StrCpy $PathFound read
        Return
      ${EndIf}
    ${EndIf}
    ; No whole text: either there is no Path value, or it is one that cannot be held here.
    StrCpy $PathValue ""
    StrCpy $R0 0
    ${Do}
      EnumRegValue $R1 HKCU "${USER_ENVIRONMENT}" $R0
      ${If} $R1 == "Path"
        StrCpy $PathFound unreadable
      ${EndIf}
      IntOp $R0 $R0 + 1
    ${LoopUntil} $R1 == ""
  FunctionEnd

  ; Finds the last entry of $PathValue that is $R9, in any case, and sets $EntryStart and
  ; $EntryEnd; $EntryStart is -1 when there is none. Changes $R0 to $R3.
  Function ${UN}FindPathEntry
    StrCpy $EntryStart -1
    StrLen $R0 $PathValue
    StrCpy $R1 0 ; where the entry in hand starts
    StrCpy $R2 0 ; the character in hand
    ${Do}
      StrCpy $R3 $PathValue 1 $R2
      ${If} $R3 == ";"
      ${OrIf} $R2 = $R0
        IntOp $R3 $R2 - $R1
        StrCpy $R3 $PathValue $R3 $R1
        ${If} $R3 == $R9
          StrCpy $EntryStart $R1
          StrCpy $EntryEnd $R2
        ${EndIf}
        IntOp $R1 $R2 + 1
      ${EndIf}
      IntOp $R2 $R2 + 1
    ${LoopUntil} $R2 > $R0
  FunctionEnd

  ; Tells the running programs (Explorer above all) that the environment changed, so that a
  ; command prompt opened next sees the new PATH.
  Function ${UN}AnnounceEnvironmentChange
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  FunctionEnd
!macroend
!insertmacro USER_PATH_FUNCTIONS ""
!insertmacro USER_PATH_FUNCTIONS "un."

; Appends $INSTDIR to the user's PATH unless it is there already, with or without a closing
; backslash, and notes in the uninstall key what it did.
Function AddInstallFolderToPath
  Call ReadUserPath
  ${If} $PathFound == unreadable
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "Your PATH is too long to be changed by Setup: add $INSTDIR to it yourself." /SD IDOK
    Return
  ${EndIf}
  StrCpy $R9 "$INSTDIR"
  Call FindPathEntry
  ${If} $EntryStart = -1
    StrCpy $R9 "$INSTDIR\"
    Call FindPathEntry
  ${EndIf}
  ${If} $EntryStart <> -1
    DetailPrint "$INSTDIR is on your PATH already."
    Return
  ${EndIf}
  StrLen $R0 $PathValue
  StrLen $R1 $INSTDIR
  IntOp $R0 $R0 + $R1
  ${If} $R0 >= ${LONGEST_PATH}
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "Your PATH is too long to take $INSTDIR as well: add it yourself." /SD IDOK
    Return
  ${EndIf}
  ${If} $PathValue == ""
    StrCpy $PathValue "$INSTDIR"
  ${Else}
    StrCpy $PathValue "$PathValue;$INSTDIR"
  ${EndIf}
  DetailPrint "Adding $INSTDIR to your PATH"
  WriteRegExpandStr HKCU "${USER_ENVIRONMENT}" "Path" $PathValue
  WriteRegStr HKLM "${UNINSTALL_KEY}" "PathEntry" "$INSTDIR"
  ${If} $PathFound == absent
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "PathValueCreated" 1
  ${EndIf}
  Call AnnounceEnvironmentChange
FunctionEnd

; Takes the entry that the installer added out of the user's PATH again, with the ";" before it
; (after it when it is the first), and the Path value too when the installer made it and nothing
; else is left in it.
Function un.RemoveInstallFolderFromPath
  ReadRegStr $R9 HKLM "${UNINSTALL_KEY}" "PathEntry"
  ${If} $R9 == ""
    Return
  ${EndIf}
  Call un.ReadUserPath
  ${If} $PathFound != read
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "Your PATH is too long to be changed here: take $R9 out of it yourself." /SD IDOK
    Return
  ${EndIf}
  Call un.FindPathEntry
  ${If} $EntryStart = -1
    Return
  ${EndIf}
  ${If} $EntryStart = 0
    IntOp $R0 $EntryEnd + 1
    StrCpy $PathValue $PathValue "" $R0
  ${Else}
    IntOp $R0 $EntryStart - 1
    StrCpy $R1 $PathValue $R0
    StrCpy $R2 $PathValue "" $EntryEnd
    StrCpy $PathValue "$R1$R2"
  ${EndIf}
  DetailPrint "Taking $R9 out of your PATH"
  ReadRegDWORD $R0 HKLM "${UNINSTALL_KEY}" "PathValueCreated"
  ${If} $PathValue == ""
  ${AndIf} $R0 = 1
    DeleteRegValue HKCU "${USER_ENVIRONMENT}" "Path"
  ${Else}
    WriteRegExpandStr HKCU "${USER_ENVIRONMENT}" "Path" $PathValue
  ${EndIf}
  Call un.AnnounceEnvironmentChange
FunctionEnd
